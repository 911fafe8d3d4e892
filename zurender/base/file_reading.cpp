#include "zurender/base/file_reading.h"

#include <fcntl.h>
#include <sys/stat.h>

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

#include <cerrno>
#include <cstring>
#include <utility>

namespace zurender {
namespace {

#if defined(_WIN32)
using StatInfo = struct _stat64;
int StatPath(const std::string& path, StatInfo& info) { return ::_stat64(path.c_str(), &info); }
int StatOpen(int fd, StatInfo& info) { return ::_fstat64(fd, &info); }
int OpenRead(const std::string& path) { return ::_open(path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT); }
void CloseFile(int fd) { ::_close(fd); }
bool IsRegular(const StatInfo& info) { return (info.st_mode & _S_IFMT) == _S_IFREG; }
const char* KindName(const StatInfo& info) { return (info.st_mode & _S_IFMT) == _S_IFDIR ? "a directory" : "a device"; }
long long ReadPart(int fd, std::uint64_t offset, void* out, std::size_t count) {
  if (::_lseeki64(fd, static_cast<long long>(offset), SEEK_SET) < 0) return -1;
  return ::_read(fd, out, static_cast<unsigned>(count > (1u << 30) ? (1u << 30) : count));
}
#else
using StatInfo = struct stat;
int StatPath(const std::string& path, StatInfo& info) { return ::stat(path.c_str(), &info); }
int StatOpen(int fd, StatInfo& info) { return ::fstat(fd, &info); }
// Non-blocking: opening a FIFO with no writer, or a terminal, returns at once instead of waiting.
int OpenRead(const std::string& path) { return ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY); }
void CloseFile(int fd) { ::close(fd); }
bool IsRegular(const StatInfo& info) { return S_ISREG(info.st_mode); }
const char* KindName(const StatInfo& info) {
  if (S_ISDIR(info.st_mode)) return "a directory";
  if (S_ISFIFO(info.st_mode)) return "a named pipe";
  if (S_ISSOCK(info.st_mode)) return "a socket";
  return "a device";
}
long long ReadPart(int fd, std::uint64_t offset, void* out, std::size_t count) {
  return ::pread(fd, out, count, static_cast<off_t>(offset));
}
#endif

Status SystemError(int error) { return Status::Error(std::strerror(error)); }

Status NotRegular(const StatInfo& info) { return Status::Error(std::string("not a regular file (") + KindName(info) + ")"); }

Status TooLarge(std::uint64_t maxBytes) { return Status::Error("larger than " + ByteCountText(maxBytes)); }

}  // namespace

std::string ByteCountText(std::uint64_t bytes) {
  if (bytes >= (std::uint64_t(1) << 20) && bytes % (std::uint64_t(1) << 20) == 0) return std::to_string(bytes >> 20) + " MiB";
  if (bytes >= 1024 && bytes % 1024 == 0) return std::to_string(bytes >> 10) + " KiB";
  return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
}

ReadableFile::~ReadableFile() {
  if (descriptor_ >= 0) CloseFile(descriptor_);
}

ReadableFile::ReadableFile(ReadableFile&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1)), size_(other.size_) {}

ReadableFile& ReadableFile::operator=(ReadableFile&& other) noexcept {
  if (this != &other) {
    if (descriptor_ >= 0) CloseFile(descriptor_);
    descriptor_ = std::exchange(other.descriptor_, -1);
    size_ = other.size_;
  }
  return *this;
}

Result<ReadableFile> ReadableFile::Open(const std::string& path, std::uint64_t maxBytes) {
  if (path.empty()) return Status::Error("empty path");
  // Looked at before it is opened, so that no device is opened at all; looked at again once
  // open, as it may have been replaced in between.
  StatInfo info{};
  if (StatPath(path, info) != 0) return SystemError(errno);
  if (!IsRegular(info)) return NotRegular(info);
  ReadableFile file;
  file.descriptor_ = OpenRead(path);
  if (file.descriptor_ < 0) return SystemError(errno);
  if (StatOpen(file.descriptor_, info) != 0) return SystemError(errno);
  if (!IsRegular(info)) return NotRegular(info);
  if (info.st_size < 0 || std::uint64_t(info.st_size) > maxBytes) return TooLarge(maxBytes);
  file.size_ = std::uint64_t(info.st_size);
  return file;
}

long long ReadableFile::ReadSome(std::uint64_t offset, void* out, std::size_t count) const {
  long long got;
  do {
    got = ReadPart(descriptor_, offset, out, count);
  } while (got < 0 && errno == EINTR);
  return got;
}

bool ReadableFile::ReadAt(std::uint64_t offset, void* out, std::size_t count) const {
  auto* bytes = static_cast<unsigned char*>(out);
  while (count > 0) {
    const long long got = ReadSome(offset, bytes, count);
    if (got <= 0) return false;
    bytes += got;
    offset += std::uint64_t(got);
    count -= std::size_t(got);
  }
  return true;
}

Result<std::string> ReadWholeFile(const std::string& path, std::uint64_t maxBytes) {
  Result<ReadableFile> file = ReadableFile::Open(path, maxBytes);
  if (!file.ok()) return file.status();
  // Read in pieces to the end rather than to the size the system told: the file may have
  // grown or shrunk since, and some report no size at all.
  constexpr std::size_t kPiece = 1 << 16;
  std::string text;
  text.reserve(std::size_t(file->size()));
  std::uint64_t offset = 0;
  for (;;) {
    const std::size_t start = text.size();
    text.resize(start + kPiece);
    const long long got = file->ReadSome(offset, text.data() + start, kPiece);
    if (got < 0) return SystemError(errno);
    text.resize(start + std::size_t(got));
    if (got == 0) break;
    offset += std::uint64_t(got);
    if (offset > maxBytes) return TooLarge(maxBytes);
  }
  return text;
}

}  // namespace zurender
