#include "platform/rtl/FileStore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace FileStore {

namespace {

std::atomic<int64_t> FailAfterBytes{-1};

std::string FolderOf(const std::string& fileName) {
  const size_t slash = fileName.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : fileName.substr(0, slash);
}

// Writes every byte, or fails with errno set.
bool WriteAll(int fd, std::string_view bytes) {
  const int64_t limit = FailAfterBytes.load();
  size_t done = 0;
  while (done < bytes.size()) {
    size_t chunk = bytes.size() - done;
    if (limit >= 0) {
      if (int64_t(done) >= limit) {
        errno = ENOSPC;
        return false;
      }
      chunk = std::min<size_t>(chunk, size_t(limit) - done);
    }
    const ssize_t n = ::write(fd, bytes.data() + done, chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      // A write of nothing sets no errno: it means the disk is full.
      if (n == 0) errno = ENOSPC;
      return false;
    }
    done += size_t(n);
  }
  return true;
}

}  // namespace

void SetWriteFailureForTests(int64_t afterBytes) { FailAfterBytes = afterBytes; }

TStamp StampOf(const std::string& fileName) {
  struct stat st {};
  if (::stat(fileName.c_str(), &st) != 0) return {};
  return TStamp{int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec, int64_t(st.st_size), uint64_t(st.st_ino)};
}

bool ReadFile(const std::string& fileName, std::string& bytes) {
  bytes.clear();
  const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  // A folder opens but cannot be read as a file.
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    ::close(fd);
    return false;
  }
  char buf[65536];
  bool ok = true;
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ok = false;
    if (n <= 0) break;
    bytes.append(buf, size_t(n));
  }
  ::close(fd);
  if (!ok) bytes.clear();
  return ok;
}

bool WriteFileAtomic(const std::string& fileName, std::string_view bytes, std::string& error) {
  const std::string folder = FolderOf(fileName);
  const size_t slash = fileName.find_last_of('/');
  const std::string base = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
  std::string pattern = (folder == "/" ? std::string() : folder) + "/." + base + ".XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) {
    error = std::strerror(errno);
    return false;
  }
  const std::string tmp(name.data());
  // Keep the permissions of the file being replaced; a new file gets the usual ones.
  struct stat st {};
  if (::stat(fileName.c_str(), &st) == 0)
    ::fchmod(fd, st.st_mode & 07777);
  else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
  }
  bool ok = WriteAll(fd, bytes);
  // The data reaches the disk before the rename publishes it.
  if (ok && ::fsync(fd) != 0) ok = false;
  if (!ok) error = std::strerror(errno);
  if (::close(fd) != 0 && ok) {
    ok = false;
    error = std::strerror(errno);
  }
  if (ok && ::rename(tmp.c_str(), fileName.c_str()) != 0) {
    ok = false;
    error = std::strerror(errno);
  }
  if (!ok) {
    ::unlink(tmp.c_str());
    return false;
  }
  // The rename itself reaches the disk with the folder.
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}

}  // namespace FileStore
