#include "zurender/base/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>

#if defined(_WIN32)
#include <io.h>
#include <process.h>
#include <windows.h>
#else
#include <signal.h>
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

bool MoveIntoPlace(const std::string& from, const std::string& to) {
  if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
  errno = EACCES;
  return false;
}

bool SyncToDisk(std::FILE* file) { return ::_commit(::_fileno(file)) == 0; }
bool SeekTo(std::FILE* file, std::uint64_t offset) { return ::_fseeki64(file, std::int64_t(offset), SEEK_SET) == 0; }
void RemoveFile(const std::string& path) { ::_unlink(path.c_str()); }
void RemoveEmptyFolder(const std::string& path) { ::RemoveDirectoryA(path.c_str()); }
bool CanWriteIn(const std::string& directory) { return ::_access(directory.c_str(), 2) == 0; }
unsigned ProcessNumber() { return unsigned(::_getpid()); }

bool ProcessMayBeRunning(unsigned process) {
  HANDLE handle = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(process));
  if (handle == nullptr) return ::GetLastError() != ERROR_INVALID_PARAMETER;
  DWORD code = 0;
  const bool running = !::GetExitCodeProcess(handle, &code) || code == STILL_ACTIVE;
  ::CloseHandle(handle);
  return running;
}

PathKind KindOfPath(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::kAbsent;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return PathKind::kLink;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return PathKind::kDirectory;
  return PathKind::kRegular;
}

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

bool MoveIntoPlace(const std::string& from, const std::string& to) { return ::rename(from.c_str(), to.c_str()) == 0; }
bool SyncToDisk(std::FILE* file) { return ::fsync(::fileno(file)) == 0; }
bool SeekTo(std::FILE* file, std::uint64_t offset) { return ::fseeko(file, off_t(offset), SEEK_SET) == 0; }
void RemoveFile(const std::string& path) { ::unlink(path.c_str()); }
void RemoveEmptyFolder(const std::string& path) { ::rmdir(path.c_str()); }
bool CanWriteIn(const std::string& directory) { return ::access(directory.c_str(), W_OK | X_OK) == 0; }
unsigned ProcessNumber() { return unsigned(::getpid()); }

bool ProcessMayBeRunning(unsigned process) {
  // EPERM: it runs, as another user.
  return process != 0 && (::kill(pid_t(process), 0) == 0 || errno != ESRCH);
}

PathKind KindOfPath(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return PathKind::kAbsent;
  if (S_ISREG(info.st_mode)) return PathKind::kRegular;
  if (S_ISDIR(info.st_mode)) return PathKind::kDirectory;
  if (S_ISLNK(info.st_mode)) return PathKind::kLink;
  return PathKind::kOther;
}

#endif

}  // namespace zurender
