// A file written under a temporary name in the directory of its final path and renamed into place
// only when complete: a run that fails or stops half-way never leaves a partial file under the
// final name, and an older file of that name stays intact until the new one replaces it whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "zurender/base/status.h"

namespace zurender {

class AtomicFile {
 public:
  AtomicFile() = default;
  ~AtomicFile();  // an uncommitted file is closed and its temporary removed
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Creates the temporary beside path (mode 0666 less the umask, as an ordinary new file). When
  // path is a symbolic link, the file it names is written and the link kept. The temporary is
  // removed if the process is interrupted (zurender/base/interruption.h).
  Status Open(const std::string& path);

  // The first failure sticks: later calls do nothing and return it again, so a writer may check
  // only at the end. Offsets are 64-bit: files past 2 GiB work in a 32-bit process.
  Status Write(const void* data, std::size_t size);
  Status Seek(std::uint64_t offset);
  std::uint64_t Tell() const { return position_; }

  // Flushes the data to the disk, closes and renames the temporary to the final path.
  Status Commit();

  // For libraries that write through stdio themselves; null unless open.
  std::FILE* stream() { return file_; }
  const std::string& path() const { return path_; }
  const Status& status() const { return status_; }
  // Records a failure found by a caller writing through stream(); it sticks like any other.
  Status Fail(const std::string& reason);

 private:
  Status FailWithErrno(const char* action);
  void Discard();

  std::string path_;       // symbolic links followed
  std::string shownPath_;  // as the caller gave it, for messages
  std::string tempPath_;
  std::FILE* file_ = nullptr;
  std::uint64_t position_ = 0;
  Status status_;
};

}  // namespace zurender
