#include "controls/abcwav.h"

#include "platform/ui/Sound.h"

KV_CLASS_IMPL(TabcCustomWave, TComponent) {
  c.Property("PlayMode", &TabcCustomWave::GetPlayMode, &TabcCustomWave::SetPlayMode).Default(0);
}

KV_CLASS_IMPL(TabcCustomWaveList, TabcCustomWave) {}

TabcCustomWave::TabcCustomWave(TComponent* AOwner) : TComponent(AOwner) {}

TabcCustomWave::~TabcCustomWave() = default;

void TabcCustomWave::SetPlayMode(int Value) {
  if (Value < 0 || Value > 2) return;
  if (!ComponentState.Contains(TComponentStateItem::csDesigning)) Stop();
  FPlayMode = Value;
}

void TabcCustomWave::Play() {
  if (FWave.empty()) return;
  Sound::Current().Play(FWave, static_cast<TSoundPlayMode>(FPlayMode));
}

void TabcCustomWave::Stop() { Sound::Current().Stop(); }

TabcCustomWaveList::TabcCustomWaveList(TComponent* AOwner)
    : TabcCustomWave(AOwner), FNames(std::make_unique<TStringList>()) {}

TabcCustomWaveList::~TabcCustomWaveList() = default;

void TabcCustomWaveList::PlayIndex(int) {}
