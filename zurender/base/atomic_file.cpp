#include "zurender/base/atomic_file.h"

#include <atomic>
#include <cerrno>
#include <cstring>

#include "zurender/base/file_system.h"
#include "zurender/base/staged_files.h"
#include "zurender/base/temporary_files.h"
#include "zurender/base/temporary_name.h"

namespace zurender {
namespace {

// Several files may be written at once from one process (previews beside the layered file).
std::atomic<unsigned> tempCounter{0};
constexpr int kTempNameAttempts = 100;
// Large writes go to the disk in big pieces; stdio's default buffer is a few KiB.
constexpr std::size_t kStreamBuffer = 1 << 20;

}  // namespace

AtomicFile::~AtomicFile() { Discard(); }

void AtomicFile::Discard() {
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
    RemoveFile(tempPath_);
    ForgetTemporary(tempPath_);
  }
}

Status AtomicFile::FailWithErrno(const char* action) {
  const int error = errno;
  return Fail(std::string(action) + ": " + std::strerror(error));
}

Status AtomicFile::Fail(const std::string& reason) {
  if (status_.ok()) status_ = Status::Error("cannot write " + shownPath_ + ": " + reason);
  return status_;
}

Status AtomicFile::Open(const std::string& path) {
  Discard();
  // Written through a symbolic link: the file it names is replaced, and the link stays.
  path_ = FollowLinks(path);
  shownPath_ = path;
  status_ = Status();
  position_ = 0;
  if (path.empty()) return Fail("empty path");
  for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
    tempPath_ = TemporaryName(path_, std::to_string(tempCounter++));
    RegisterTemporary(tempPath_);
    file_ = CreateNewFile(tempPath_);
    if (file_ == nullptr) {
      const int error = errno;
      ForgetTemporary(tempPath_);
      errno = error;
      if (errno == EEXIST) continue;
      return FailWithErrno("cannot create a file in its directory");
    }
    std::setvbuf(file_, nullptr, _IOFBF, kStreamBuffer);
    return Status();
  }
  return Fail("no free temporary name");
}

Status AtomicFile::Write(const void* data, std::size_t size) {
  if (!status_.ok()) return status_;
  if (file_ == nullptr) return Fail("not open");
  if (size != 0 && std::fwrite(data, 1, size, file_) != size) return FailWithErrno("write failed");
  position_ += size;
  return status_;
}

Status AtomicFile::Seek(std::uint64_t offset) {
  if (!status_.ok()) return status_;
  if (file_ == nullptr) return Fail("not open");
  if (!SeekTo(file_, offset)) return FailWithErrno("seek failed");
  position_ = offset;
  return status_;
}

Status AtomicFile::Commit() {
  if (file_ == nullptr && status_.ok()) return Fail("not open");
  if (!status_.ok()) {
    Discard();
    return status_;
  }
  if (std::fflush(file_) != 0 || std::ferror(file_) != 0) {
    (void)FailWithErrno("write failed");
  } else if (!SyncToDisk(file_)) {
    (void)FailWithErrno("flush to disk failed");
  }
  if (!status_.ok()) {
    Discard();
    return status_;
  }
  const int closed = std::fclose(file_);
  file_ = nullptr;
  if (closed != 0) {
    (void)FailWithErrno("close failed");
    RemoveFile(tempPath_);
  } else if (!MoveIntoPlace(tempPath_, path_)) {
    (void)FailWithErrno("cannot rename the finished file into place");
    RemoveFile(tempPath_);
  }
  ForgetTemporary(tempPath_);
  return status_;
}

}  // namespace zurender
