#include "persist/memory_stream.h"

#include <cstring>

#include "persist/reverse_bytes.h"

namespace zu {

namespace {

// Whether n more bytes fit before end; the first transfer that does not fit fails the stream for
// good. Reaching end exactly is allowed. A negative length is refused like one past the end.
bool Fits(ByteStream& s, std::int32_t n, std::int32_t failure) {
  if (s.error == 0 && (n < 0 || n > s.end - s.cursor)) s.error = failure;
  return s.error == 0;
}

std::int32_t Advance(ByteStream& s, std::int32_t n) {
  s.cursor += n;
  s.byteCount += n;
  return s.byteCount;
}

std::int32_t Read(ByteStream& s, void* destination, std::int32_t n, bool swapped) {
  if (!Fits(s, n, kStreamErrorReadPastEnd)) return s.error;
  if (n == 0) return s.byteCount;
  std::memcpy(destination, s.cursor, static_cast<std::size_t>(n));
  if (swapped) ReverseBytes(destination, n);
  return Advance(s, n);
}

// The source of a write is never modified: the reversal happens in the block.
std::int32_t Write(ByteStream& s, const void* source, std::int32_t n, bool swapped) {
  if (!Fits(s, n, kStreamErrorWritePastEnd)) return s.error;
  if (n == 0) return s.byteCount;
  std::memcpy(s.cursor, source, static_cast<std::size_t>(n));
  if (swapped) ReverseBytes(s.cursor, n);
  return Advance(s, n);
}

std::int32_t RemainingBytes(const ByteStream& s) { return static_cast<std::int32_t>(s.end - s.cursor); }
std::int32_t ReadSwappedBytes(ByteStream& s, void* p, std::int32_t n) { return Read(s, p, n, true); }
std::int32_t WriteSwappedBytes(ByteStream& s, const void* p, std::int32_t n) { return Write(s, p, n, true); }
std::int32_t ReadRawBytes(ByteStream& s, void* p, std::int32_t n) { return Read(s, p, n, false); }
std::int32_t WriteRawBytes(ByteStream& s, const void* p, std::int32_t n) { return Write(s, p, n, false); }

}  // namespace

const ByteStreamOps kMemoryStreamOps = {&RemainingBytes, &ReadSwappedBytes, &WriteSwappedBytes, &ReadRawBytes,
                                       &WriteRawBytes};

ByteStream MakeMemoryStream(std::uint8_t* start, std::int32_t size) {
  return ByteStream{&kMemoryStreamOps, 0, 0, start, start + size};
}

}  // namespace zu
