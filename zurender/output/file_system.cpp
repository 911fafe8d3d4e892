#include "zurender/output/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>

#if defined(_WIN32)
#include <io.h>
#include <process.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <cerrno>

namespace zurender {

#if defined(_WIN32)

std::FILE* CreateNewFile(const std::string& path) {
  const int fd = ::_open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
  if (fd < 0) return nullptr;
  std::FILE* file = ::_fdopen(fd, "wb");
  if (file == nullptr) {
    const int error = errno;
    ::_close(fd);
    ::_unlink(path.c_str());
    errno = error;
  }
  return file;
}

std::FILE* OpenRegularFile(const std::string& path, std::uint64_t& size) {
  std::FILE* file = std::fopen(path.c_str(), "rbN");
  if (file == nullptr) return nullptr;
  struct _stat64 info {};
  if (::_fstat64(::_fileno(file), &info) != 0 || (info.st_mode & _S_IFMT) != _S_IFREG) {
    const int error = (info.st_mode & _S_IFMT) != _S_IFREG ? EISDIR : errno;
    std::fclose(file);
    errno = error;
    return nullptr;
  }
  size = std::uint64_t(info.st_size);
  return file;
}

bool MoveIntoPlace(const std::string& from, const std::string& to) {
  if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
  errno = EACCES;
  return false;
}

bool SyncToDisk(std::FILE* file) { return ::_commit(::_fileno(file)) == 0; }
bool SeekTo(std::FILE* file, std::uint64_t offset) { return ::_fseeki64(file, std::int64_t(offset), SEEK_SET) == 0; }
void RemoveFile(const std::string& path) { ::_unlink(path.c_str()); }
bool CanWriteIn(const std::string& directory) { return ::_access(directory.c_str(), 2) == 0; }
unsigned ProcessNumber() { return unsigned(::_getpid()); }

#else

std::FILE* CreateNewFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  std::FILE* file = ::fdopen(fd, "wb");
  if (file == nullptr) {
    const int error = errno;
    ::close(fd);
    ::unlink(path.c_str());
    errno = error;
  }
  return file;
}

std::FILE* OpenRegularFile(const std::string& path, std::uint64_t& size) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    const int error = S_ISREG(info.st_mode) ? errno : EISDIR;
    ::close(fd);
    errno = error;
    return nullptr;
  }
  std::FILE* file = ::fdopen(fd, "rb");
  if (file == nullptr) {
    const int error = errno;
    ::close(fd);
    errno = error;
    return nullptr;
  }
  size = std::uint64_t(info.st_size);
  return file;
}

bool MoveIntoPlace(const std::string& from, const std::string& to) { return ::rename(from.c_str(), to.c_str()) == 0; }
bool SyncToDisk(std::FILE* file) { return ::fsync(::fileno(file)) == 0; }
bool SeekTo(std::FILE* file, std::uint64_t offset) { return ::fseeko(file, off_t(offset), SEEK_SET) == 0; }
void RemoveFile(const std::string& path) { ::unlink(path.c_str()); }
bool CanWriteIn(const std::string& directory) { return ::access(directory.c_str(), W_OK | X_OK) == 0; }
unsigned ProcessNumber() { return unsigned(::getpid()); }

#endif

}  // namespace zurender
