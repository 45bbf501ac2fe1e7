#pragma once
// TabcCustomWave: a wave image held in memory with a play mode (0 asynchronous,
// 1 synchronous, 2 looped); TabcCustomWaveList adds named entries played by
// index. Sound goes through the platform's sound service.

#include "platform/rtl/Classes.h"

#include <cstdint>
#include <memory>
#include <vector>

class TabcCustomWave : public TComponent {
  KV_CLASS(TabcCustomWave, TComponent)
 public:
  explicit TabcCustomWave(TComponent* AOwner);
  ~TabcCustomWave() override;

  const std::vector<uint8_t>& GetWave() const { return FWave; }
  void SetWave(std::vector<uint8_t> Value) { FWave = std::move(Value); }
  int GetPlayMode() const { return FPlayMode; }
  // Stops the sound first (outside design mode); values outside 0..2 are refused.
  void SetPlayMode(int Value);
  // Plays the image; nothing without one.
  virtual void Play();
  virtual void Stop();

 private:
  std::vector<uint8_t> FWave;
  int FPlayMode = 0;
};

class TabcCustomWaveList : public TabcCustomWave {
  KV_CLASS(TabcCustomWaveList, TabcCustomWave)
 public:
  explicit TabcCustomWaveList(TComponent* AOwner);
  ~TabcCustomWaveList() override;
  TStringList* Names() const { return FNames.get(); }
  int ItemIndex = -1;
  // Plays entry Index. How an entry is found is the descendants' matter; the
  // list itself plays nothing, so a button given a plain list stays quiet.
  virtual void PlayIndex(int Index);

 private:
  std::unique_ptr<TStringList> FNames;
};
