#include "platform/rtl/FileStore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace FileStore {

TStamp StampOf(const std::string& fileName) {
  struct stat st {};
  if (::stat(fileName.c_str(), &st) != 0) return {};
  return TStamp{int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec, int64_t(st.st_size), uint64_t(st.st_ino)};
}

bool ReadFile(const std::string& fileName, std::string& bytes) {
  bytes.clear();
  int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  char buf[65536];
  bool ok = true;
  for (;;) {
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ok = false;
    if (n <= 0) break;
    bytes.append(buf, size_t(n));
  }
  ::close(fd);
  if (!ok) bytes.clear();
  return ok;
}

bool WriteFileAtomic(const std::string& fileName, const std::string& bytes, std::string& error) {
  const std::string tmp = fileName + ".tmp" + std::to_string(::getpid());
  int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) {
    error = std::strerror(errno);
    return false;
  }
  // Keep the permissions of the file being replaced.
  struct stat st {};
  if (::stat(fileName.c_str(), &st) == 0) ::fchmod(fd, st.st_mode & 07777);
  size_t done = 0;
  bool ok = true;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      // A write of nothing sets no errno: it means the disk is full.
      error = std::strerror(n < 0 ? errno : ENOSPC);
      ok = false;
      break;
    }
    done += size_t(n);
  }
  // The data reaches the disk before the rename publishes it: after a crash the
  // name holds the old content or the new, never an empty or partial file.
  if (ok && ::fsync(fd) != 0) {
    ok = false;
    error = std::strerror(errno);
  }
  if (::close(fd) != 0 && ok) {
    ok = false;
    error = std::strerror(errno);
  }
  if (ok && ::rename(tmp.c_str(), fileName.c_str()) != 0) {
    ok = false;
    error = std::strerror(errno);
  }
  if (!ok) ::unlink(tmp.c_str());
  return ok;
}

}  // namespace FileStore
