#pragma once
// Wave playback: a wave image in memory played asynchronously, synchronously
// or in a loop, and stopped. This platform plays nothing (no sound library is
// part of the program); tests install a recording service to see the calls.

#include <cstdint>
#include <string>
#include <vector>

enum class TSoundPlayMode : uint8_t { spAsync, spSync, spLoop };

class ISoundService {
 public:
  virtual ~ISoundService() = default;
  // Plays Wave (a whole wave file image); never the default system sound.
  virtual void Play(const std::vector<uint8_t>& Wave, TSoundPlayMode Mode) = 0;
  // Stops any sound.
  virtual void Stop() = 0;
};

// Keeps every call, for tests; installs itself and restores the previous service.
class TRecordingSoundService : public ISoundService {
 public:
  struct TCall {
    bool Stop = false;
    std::vector<uint8_t> Wave;
    TSoundPlayMode Mode = TSoundPlayMode::spAsync;
  };
  TRecordingSoundService();
  ~TRecordingSoundService() override;
  TRecordingSoundService(const TRecordingSoundService&) = delete;
  TRecordingSoundService& operator=(const TRecordingSoundService&) = delete;
  void Play(const std::vector<uint8_t>& Wave, TSoundPlayMode Mode) override;
  void Stop() override;
  std::vector<TCall> Calls;

 private:
  ISoundService* FPrevious;
};

namespace Sound {
// The service in use: the installed one, else the silent one.
ISoundService& Current();
// Installs Service (none: back to the silent one); answers the previous one.
ISoundService* Install(ISoundService* Service);
}  // namespace Sound
