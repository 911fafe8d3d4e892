#include "persist/size_counter.h"

#include <limits>

namespace zu {

namespace {

// Adds n to the count. A total past the 32-bit range could never be a block, so it fails the
// counter instead of wrapping to a size that would cut the list short.
std::int32_t CountBytes(ByteStream& s, std::int32_t n) {
  if (s.error != 0) return s.error;
  const std::int64_t total = std::int64_t{s.byteCount} + n;
  if (n < 0 || total > std::numeric_limits<std::int32_t>::max()) {
    s.error = kStreamErrorWritePastEnd;
    return s.error;
  }
  s.byteCount = static_cast<std::int32_t>(total);
  return n;
}

std::int32_t NothingRemains(const ByteStream&) { return 0; }
// Reads and writes alike only count: no memory is touched.
std::int32_t CountRead(ByteStream& s, void*, std::int32_t n) { return CountBytes(s, n); }
std::int32_t CountWrite(ByteStream& s, const void*, std::int32_t n) { return CountBytes(s, n); }

}  // namespace

const ByteStreamOps kSizeCounterOps = {&NothingRemains, &CountRead, &CountWrite, &CountRead, &CountWrite};

ByteStream MakeSizeCounter() { return ByteStream{&kSizeCounterOps, 0, 0, nullptr, nullptr}; }

}  // namespace zu
