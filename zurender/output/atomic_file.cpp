#include "zurender/output/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace zurender {
namespace {

// Several files may be written at once from one process (previews beside the layered file).
std::atomic<unsigned> temp_counter{0};
constexpr int kTempNameAttempts = 100;
// Large writes go to the disk in big pieces; stdio's default buffer is a few KiB.
constexpr std::size_t kStreamBuffer = 1 << 20;

}  // namespace

AtomicFile::~AtomicFile() { Discard(); }

void AtomicFile::Discard() {
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
    ::unlink(temp_path_.c_str());
  }
}

Status AtomicFile::FailWithErrno(const char* action) {
  const int error = errno;
  return Fail(std::string(action) + ": " + std::strerror(error));
}

Status AtomicFile::Fail(const std::string& reason) {
  if (status_.ok()) status_ = Status::Error("cannot write " + path_ + ": " + reason);
  return status_;
}

Status AtomicFile::Open(const std::string& path) {
  Discard();
  path_ = path;
  status_ = Status();
  position_ = 0;
  if (path.empty()) return Fail("empty path");
  for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
    temp_path_ = path + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(temp_counter++);
    const int fd = ::open(temp_path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return FailWithErrno("cannot create a file in its directory");
    }
    file_ = ::fdopen(fd, "wb");
    if (file_ == nullptr) {
      const int error = errno;
      ::close(fd);
      ::unlink(temp_path_.c_str());
      return Fail(std::string("cannot open a stream: ") + std::strerror(error));
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
  if (::fseeko(file_, off_t(offset), SEEK_SET) != 0) return FailWithErrno("seek failed");
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
  } else if (::fsync(::fileno(file_)) != 0) {
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
    ::unlink(temp_path_.c_str());
    return status_;
  }
  if (::rename(temp_path_.c_str(), path_.c_str()) != 0) {
    (void)FailWithErrno("cannot rename the finished file into place");
    ::unlink(temp_path_.c_str());
  }
  return status_;
}

}  // namespace zurender
