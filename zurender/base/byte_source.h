// Bounds-checked big-endian reading of a file or a memory buffer, for readers that must never
// read past what they were given however wrong the numbers in it are.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "zurender/base/status.h"

namespace zurender {

// Random access to bytes. A read outside [0, size()) fails and reads nothing.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual std::uint64_t size() const = 0;
  virtual bool ReadAt(std::uint64_t offset, void* out, std::size_t count) = 0;

  // A regular file of at most maxBytes (zurender/base/file_reading.h).
  static Result<std::unique_ptr<ByteSource>> OpenFile(const std::string& path, std::uint64_t maxBytes);
  // The bytes must outlive the source.
  static std::unique_ptr<ByteSource> FromMemory(std::span<const std::uint8_t> bytes);
};

// Reads forward within [position, end) of a source. The first failure sticks: every later read
// gives zeros and does not move, so a parser checks ok() once per step rather than every field.
class Cursor {
 public:
  Cursor(ByteSource& source, std::uint64_t position, std::uint64_t end)
      : source_(&source), position_(position), end_(end < source.size() ? end : source.size()) {}

  std::uint8_t U8();
  std::uint16_t U16();
  std::uint32_t U32();
  std::int16_t I16() { return static_cast<std::int16_t>(U16()); }
  std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
  // Appends count bytes to out.
  void Bytes(std::uint64_t count, std::vector<std::uint8_t>& out);
  void Skip(std::uint64_t count);
  // A cursor over the next count bytes, which this one skips; fails here if they are not there.
  Cursor Take(std::uint64_t count);

  void Fail(const std::string& why);
  bool ok() const { return error_.empty(); }
  const std::string& error() const { return error_; }
  std::uint64_t position() const { return position_; }
  std::uint64_t end() const { return end_; }
  std::uint64_t left() const { return end_ - position_; }

 private:
  bool Read(void* out, std::size_t count);

  ByteSource* source_;
  std::uint64_t position_;
  std::uint64_t end_;
  std::string error_;
};

}  // namespace zurender
