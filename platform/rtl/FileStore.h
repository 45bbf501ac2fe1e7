#pragma once
// Whole-file reads and atomic writes for settings files (INI files, the
// registry store): a write goes to a temporary file beside the target and is
// renamed over it, so a crash never leaves a half-written file.

#include <cstdint>
#include <string>

namespace FileStore {

// Identifies one version of a file on disk; all zero when it does not exist.
struct TStamp {
  int64_t MTimeNs = 0;
  int64_t Size = -1;
  uint64_t Inode = 0;
  friend bool operator==(const TStamp&, const TStamp&) = default;
};

TStamp StampOf(const std::string& fileName);
// False (and bytes empty) when the file cannot be read.
bool ReadFile(const std::string& fileName, std::string& bytes);
bool WriteFileAtomic(const std::string& fileName, const std::string& bytes, std::string& error);

}  // namespace FileStore
