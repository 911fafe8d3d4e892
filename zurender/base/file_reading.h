// The one way the render host reads a file it is given. The path is looked at before it is
// opened and the open never waits (a FIFO, a terminal or a device is refused, never read);
// only regular files are read, and no more than a limit for their kind (read_limits.h). On
// failure the message is the reason alone, the system's own where it has one ("No such file or
// directory"): the caller knows how to name the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "zurender/base/status.h"

namespace zurender {

// A regular file open for reading at any offset. Moves, does not copy; closes when destroyed.
class ReadableFile {
 public:
  ReadableFile() = default;
  ~ReadableFile();
  ReadableFile(ReadableFile&& other) noexcept;
  ReadableFile& operator=(ReadableFile&& other) noexcept;
  ReadableFile(const ReadableFile&) = delete;
  ReadableFile& operator=(const ReadableFile&) = delete;

  // Opens path when it is a regular file of at most maxBytes.
  static Result<ReadableFile> Open(const std::string& path, std::uint64_t maxBytes);

  std::uint64_t size() const { return size_; }
  // Exactly count bytes from offset, or false (the file shrank, or the system failed).
  bool ReadAt(std::uint64_t offset, void* out, std::size_t count) const;
  // Up to count bytes from offset: how many, 0 at the end, -1 on failure (errno says why).
  long long ReadSome(std::uint64_t offset, void* out, std::size_t count) const;

 private:
  int descriptor_ = -1;
  std::uint64_t size_ = 0;
};

// The whole file as bytes: a regular file of at most maxBytes, read to its end (a file whose
// size the system does not know, as some in /proc, is read up to the limit as well).
Result<std::string> ReadWholeFile(const std::string& path, std::uint64_t maxBytes);

// "16 MiB", "512 KiB", "300 bytes": a limit as a person reads it.
std::string ByteCountText(std::uint64_t bytes);

}  // namespace zurender
