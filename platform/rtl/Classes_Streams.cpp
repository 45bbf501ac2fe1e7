#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/rtl/Classes.h"
#include "platform/rtl/FileStore.h"

using SysUtils::Format;

// ---------------------------------------------------------------- TStream
KV_CLASS_IMPL(TStream, TObject) {}

int64_t TStream::GetSize() {
  int64_t pos = Seek(0, TSeekOrigin::soCurrent);
  int64_t size = Seek(0, TSeekOrigin::soEnd);
  Seek(pos, TSeekOrigin::soBeginning);
  return size;
}

void TStream::ReadBuffer(void* Buffer, int64_t Count) {
  if (Count > 0 && Read(Buffer, Count) != Count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, int64_t Count) {
  if (Count > 0 && Write(Buffer, Count) != Count) throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& Source, int64_t Count) {
  if (Count == 0) {
    Source.SetPosition(0);
    Count = Source.GetSize();
  }
  const int64_t total = Count;
  char buffer[65536];
  while (Count > 0) {
    int64_t n = std::min<int64_t>(Count, sizeof buffer);
    Source.ReadBuffer(buffer, n);
    WriteBuffer(buffer, n);
    Count -= n;
  }
  return total;
}

std::string TStream::ReadAll() {
  std::string result;
  char buffer[65536];
  for (;;) {
    int64_t n = Read(buffer, sizeof buffer);
    if (n <= 0) break;
    result.append(buffer, size_t(n));
  }
  return result;
}

// ---------------------------------------------------------------- TFileStream
KV_CLASS_IMPL(TFileStream, TStream) {}

TFileStream::TFileStream(const std::string& FileName, uint16_t Mode) : FFileName(FileName) {
  const bool create = (Mode & fmCreate) == fmCreate;
  int flags = O_CLOEXEC;
  if (create) {
    flags |= O_RDWR | O_CREAT | O_TRUNC;
  } else {
    switch (Mode & 3) {
      case fmOpenWrite: flags |= O_WRONLY; break;
      case fmOpenReadWrite: flags |= O_RDWR; break;
      default: flags |= O_RDONLY; break;
    }
  }
  FHandle = ::open(FileName.c_str(), flags, 0666);
  int err = errno;
  if (FHandle >= 0) {
    struct stat st {};
    if (::fstat(FHandle, &st) == 0 && S_ISDIR(st.st_mode)) {
      ::close(FHandle);
      FHandle = -1;
      err = EISDIR;
    }
  }
  if (FHandle < 0) {
    if (create)
      throw EFCreateError(Format("Cannot create file \"%s\". %s", {FileName, std::strerror(err)}));
    throw EFOpenError(Format("Cannot open file \"%s\". %s", {FileName, std::strerror(err)}));
  }
}

TFileStream::~TFileStream() {
  if (FHandle >= 0) ::close(FHandle);
}

int64_t TFileStream::Read(void* Buffer, int64_t Count) {
  int64_t done = 0;
  while (done < Count) {
    ssize_t n = ::read(FHandle, static_cast<char*>(Buffer) + done, size_t(Count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += n;
  }
  return done;
}

int64_t TFileStream::Write(const void* Buffer, int64_t Count) {
  int64_t done = 0;
  while (done < Count) {
    ssize_t n = ::write(FHandle, static_cast<const char*>(Buffer) + done, size_t(Count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += n;
  }
  return done;
}

int64_t TFileStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  int whence = Origin == TSeekOrigin::soBeginning ? SEEK_SET : Origin == TSeekOrigin::soCurrent ? SEEK_CUR : SEEK_END;
  off_t r = ::lseek(FHandle, off_t(Offset), whence);
  return r < 0 ? -1 : int64_t(r);
}

void TFileStream::SetSize(int64_t NewSize) {
  int64_t pos = GetPosition();
  if (::ftruncate(FHandle, off_t(NewSize)) != 0)
    throw EStreamError(Format("Cannot resize file \"%s\". %s", {FFileName, std::strerror(errno)}));
  if (pos > NewSize) Seek(NewSize, TSeekOrigin::soBeginning);
}

// ---------------------------------------------------------------- TMemoryStream
KV_CLASS_IMPL(TMemoryStream, TStream) {}

int64_t TMemoryStream::Read(void* Buffer, int64_t Count) {
  const int64_t size = GetSize();
  if (FPosition < 0 || Count <= 0 || FPosition >= size) return 0;
  int64_t n = std::min(Count, size - FPosition);
  std::memcpy(Buffer, FData.data() + FPosition, size_t(n));
  FPosition += n;
  return n;
}

int64_t TMemoryStream::Write(const void* Buffer, int64_t Count) {
  if (FPosition < 0 || Count <= 0) return 0;
  const int64_t end = FPosition + Count;
  if (end > GetSize()) FData.resize(size_t(end), '\0');
  std::memcpy(FData.data() + FPosition, Buffer, size_t(Count));
  FPosition = end;
  return Count;
}

int64_t TMemoryStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  switch (Origin) {
    case TSeekOrigin::soBeginning: FPosition = Offset; break;
    case TSeekOrigin::soCurrent: FPosition += Offset; break;
    case TSeekOrigin::soEnd: FPosition = GetSize() + Offset; break;
  }
  return FPosition;
}

void TMemoryStream::SetSize(int64_t NewSize) {
  if (NewSize < 0) throw EStreamError(Format("Invalid stream size (%d)", {NewSize}));
  FData.resize(size_t(NewSize), '\0');
  if (FPosition > NewSize) FPosition = NewSize;
}

void TMemoryStream::Clear() {
  FData.clear();
  FData.shrink_to_fit();
  FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& Stream) {
  Stream.SetPosition(0);
  const int64_t size = Stream.GetSize();
  FData.assign(size_t(size), '\0');
  FPosition = 0;
  Stream.ReadBuffer(FData.data(), size);
}

void TMemoryStream::LoadFromFile(const std::string& FileName) {
  TFileStream f(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(f);
}

void TMemoryStream::SaveToStream(TStream& Stream) const {
  Stream.WriteBuffer(FData.data(), static_cast<int64_t>(FData.size()));
}

void TMemoryStream::SaveToFile(const std::string& FileName) const {
  std::string error;
  const std::string_view bytes(reinterpret_cast<const char*>(FData.data()), FData.size());
  if (!FileStore::WriteFileAtomic(FileName, bytes, error))
    throw EFCreateError("Cannot create file \"" + FileName + "\". " + error);
}
