#pragma once
// The one way the program reads a whole file and writes one. A write goes to a
// temporary file of a unique name beside the target, reaches the disk, and is
// then renamed over the target: a failed or interrupted save leaves the old
// file byte for byte as it was, and a crash leaves the old content or the new,
// never a half-written file.

#include <cstdint>
#include <string>
#include <string_view>

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
// False, with the system's reason in error, when the file could not be written;
// the target is then untouched and no temporary file is left behind.
bool WriteFileAtomic(const std::string& fileName, std::string_view bytes, std::string& error);

// Tests: every later write fails once it has written afterBytes bytes (a
// full disk halfway through a save); a negative value ends the failures.
void SetWriteFailureForTests(int64_t afterBytes);

}  // namespace FileStore
