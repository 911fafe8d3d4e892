// A cursor over bytes that moves stored values in and out of native structures.
//
// Byte order: every stored multi-byte integer is big-endian and memory is little-endian, so the
// swapped transfers reverse each item on the way; the raw transfers carry character data as is.
// Two variants share one constant table of operations, so one writing routine serves both the
// counting pass (kSizeCounterOps) and the writing pass (kMemoryStreamOps).
#pragma once

#include <cstddef>
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

// The slots stay in this order: the table is the stream's whole interface. A transfer returns
// the stream's error when it is in error, otherwise the new byteCount (memory stream) or n (size
// counter).
struct ByteStreamOps {
  void (*setByteCount)(ByteStream& stream, std::int32_t n);
  std::int32_t (*remaining)(const ByteStream& stream);
  std::int32_t (*getByteCount)(const ByteStream& stream);
  std::int32_t (*readSwapped)(ByteStream& stream, void* destination, std::int32_t n);
  std::int32_t (*writeSwapped)(ByteStream& stream, const void* source, std::int32_t n);
  bool (*expectTag)(ByteStream& stream, std::uint32_t tag);
  std::int32_t (*readRaw)(ByteStream& stream, void* destination, std::int32_t n);
  std::int32_t (*writeRaw)(ByteStream& stream, const void* source, std::int32_t n);
};

// Callers go through these, never to a variant's routine, so the same code runs on either.
inline void SetByteCount(ByteStream& s, std::int32_t n) { s.ops->setByteCount(s, n); }
inline std::int32_t Remaining(const ByteStream& s) { return s.ops->remaining(s); }
inline std::int32_t GetByteCount(const ByteStream& s) { return s.ops->getByteCount(s); }
inline std::int32_t ReadSwapped(ByteStream& s, void* p, std::int32_t n) { return s.ops->readSwapped(s, p, n); }
inline std::int32_t WriteSwapped(ByteStream& s, const void* p, std::int32_t n) { return s.ops->writeSwapped(s, p, n); }
inline bool ExpectTag(ByteStream& s, std::uint32_t tag) { return s.ops->expectTag(s, tag); }
inline std::int32_t ReadRaw(ByteStream& s, void* p, std::int32_t n) { return s.ops->readRaw(s, p, n); }
inline std::int32_t WriteRaw(ByteStream& s, const void* p, std::int32_t n) { return s.ops->writeRaw(s, p, n); }

// The slot order is fixed: eight pointer-sized slots, setByteCount first and writeRaw last.
static_assert(offsetof(ByteStreamOps, setByteCount) == 0 * sizeof(void*));
static_assert(offsetof(ByteStreamOps, remaining) == 1 * sizeof(void*));
static_assert(offsetof(ByteStreamOps, getByteCount) == 2 * sizeof(void*));
static_assert(offsetof(ByteStreamOps, readSwapped) == 3 * sizeof(void*));
static_assert(offsetof(ByteStreamOps, writeSwapped) == 4 * sizeof(void*));
static_assert(offsetof(ByteStreamOps, expectTag) == 5 * sizeof(void*));
static_assert(offsetof(ByteStreamOps, readRaw) == 6 * sizeof(void*));
static_assert(offsetof(ByteStreamOps, writeRaw) == 7 * sizeof(void*));
static_assert(sizeof(ByteStreamOps) == 8 * sizeof(void*));

}  // namespace zu
