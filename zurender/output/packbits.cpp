#include "zurender/output/packbits.h"

#include <cstring>

namespace zurender {
namespace {

// A repeat of two costs two bytes as a run and two inside a literal; it breaks a literal only when
// no literal is pending. Three or more always go as a run.
constexpr std::size_t kMinRunInLiteral = 3;

std::size_t RunLength(const std::uint8_t* p, std::size_t left) {
  const std::size_t limit = left < kPackBitsMaxPacket ? left : kPackBitsMaxPacket;
  std::size_t run = 1;
  while (run < limit && p[run] == p[0]) ++run;
  return run;
}

}  // namespace

std::size_t PackBits(std::span<const std::uint8_t> row, std::uint8_t* out) {
  std::uint8_t* dst = out;
  const std::uint8_t* src = row.data();
  const std::size_t size = row.size();
  std::size_t i = 0;
  std::size_t literalStart = 0;
  std::size_t literalLength = 0;
  auto flushLiteral = [&] {
    if (literalLength == 0) return;
    *dst++ = static_cast<std::uint8_t>(literalLength - 1);
    std::memcpy(dst, src + literalStart, literalLength);
    dst += literalLength;
    literalLength = 0;
  };
  while (i < size) {
    const std::size_t run = RunLength(src + i, size - i);
    if (run >= kMinRunInLiteral || (run == 2 && literalLength == 0)) {
      flushLiteral();
      *dst++ = static_cast<std::uint8_t>(257 - run);
      *dst++ = src[i];
      i += run;
      continue;
    }
    if (literalLength == 0) literalStart = i;
    // Take the scanned bytes into the literal, up to its limit.
    std::size_t take = run;
    if (literalLength + take > kPackBitsMaxPacket) take = kPackBitsMaxPacket - literalLength;
    literalLength += take;
    i += take;
    if (literalLength == kPackBitsMaxPacket) flushLiteral();
  }
  flushLiteral();
  return static_cast<std::size_t>(dst - out);
}

bool UnpackBits(std::span<const std::uint8_t> packed, std::span<std::uint8_t> row) {
  std::size_t in = 0;
  std::size_t at = 0;
  while (in < packed.size()) {
    const std::uint8_t header = packed[in++];
    if (header < 128) {
      const std::size_t count = std::size_t(header) + 1;
      if (count > packed.size() - in || count > row.size() - at) return false;
      std::memcpy(row.data() + at, packed.data() + in, count);
      in += count;
      at += count;
    } else if (header > 128) {
      const std::size_t count = 257 - std::size_t(header);
      if (in >= packed.size() || count > row.size() - at) return false;
      std::memset(row.data() + at, packed[in++], count);
      at += count;
    }
  }
  return at == row.size();
}

}  // namespace zurender
