#include "platform/ui/Sound.h"

namespace {

class TSilentSoundService : public ISoundService {
 public:
  void Play(const std::vector<uint8_t>&, TSoundPlayMode) override {}
  void Stop() override {}
};

ISoundService*& Installed() {
  static ISoundService* service = nullptr;
  return service;
}

}  // namespace

ISoundService& Sound::Current() {
  static TSilentSoundService silent;
  return Installed() ? *Installed() : silent;
}

ISoundService* Sound::Install(ISoundService* Service) {
  ISoundService* previous = Installed();
  Installed() = Service;
  return previous;
}

TRecordingSoundService::TRecordingSoundService() : FPrevious(Sound::Install(this)) {}

TRecordingSoundService::~TRecordingSoundService() { Sound::Install(FPrevious); }

void TRecordingSoundService::Play(const std::vector<uint8_t>& Wave, TSoundPlayMode Mode) {
  Calls.push_back({false, Wave, Mode});
}

void TRecordingSoundService::Stop() { Calls.push_back({true, {}, TSoundPlayMode::spAsync}); }
