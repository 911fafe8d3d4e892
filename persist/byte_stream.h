// A cursor over bytes that moves stored values in and out of native structures.
//
// Byte order: every stored multi-byte integer is big-endian and memory is little-endian, so the
// swapped transfers reverse each item on the way; the raw transfers carry character data as is.
// Two variants share one constant table of operations, so one writing routine serves both the
// counting pass (kSizeCounterOps) and the writing pass (kMemoryStreamOps).
#pragma once

#include <cstdint>

namespace zu {

struct ByteStreamOps;

// A stream owns nothing: it lives on the caller's stack for one pass over the caller's block.
struct ByteStream {
  const ByteStreamOps* ops;  // the variant
  std::int32_t error;        // 0 while healthy; the first failure's code, kept from then on
  std::int32_t byteCount;    // bytes moved (memory stream) or counted (size counter)
  std::uint8_t* cursor;      // next byte to read or write; memory stream only
  std::uint8_t* end;         // one past the last byte that may be touched; memory stream only
};

constexpr std::int32_t kStreamErrorReadPastEnd = -2;
constexpr std::int32_t kStreamErrorWritePastEnd = -3;

// The table is the stream's whole interface: the operations the stored list's reader and writer
// use, and no other. A transfer returns the stream's error when it is in error, otherwise the
// new byteCount (memory stream) or n (size counter); the writer reads byteCount itself.
struct ByteStreamOps {
  std::int32_t (*remaining)(const ByteStream& stream);
  std::int32_t (*readSwapped)(ByteStream& stream, void* destination, std::int32_t n);
  std::int32_t (*writeSwapped)(ByteStream& stream, const void* source, std::int32_t n);
  std::int32_t (*readRaw)(ByteStream& stream, void* destination, std::int32_t n);
  std::int32_t (*writeRaw)(ByteStream& stream, const void* source, std::int32_t n);
};

// Callers go through these, never to a variant's routine, so the same code runs on either.
inline std::int32_t Remaining(const ByteStream& s) { return s.ops->remaining(s); }
inline std::int32_t ReadSwapped(ByteStream& s, void* p, std::int32_t n) { return s.ops->readSwapped(s, p, n); }
inline std::int32_t WriteSwapped(ByteStream& s, const void* p, std::int32_t n) { return s.ops->writeSwapped(s, p, n); }
inline std::int32_t ReadRaw(ByteStream& s, void* p, std::int32_t n) { return s.ops->readRaw(s, p, n); }
inline std::int32_t WriteRaw(ByteStream& s, const void* p, std::int32_t n) { return s.ops->writeRaw(s, p, n); }

}  // namespace zu
