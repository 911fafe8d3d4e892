#include "zurender/output/packbits.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace zurender {
namespace {

// An independent decoder: the format's rules as written, no shared code with the library.
// Counts the no-op headers (128), which a writer has no reason to emit.
std::vector<std::uint8_t> Decode(const std::vector<std::uint8_t>& packed, int& noOps) {
  std::vector<std::uint8_t> out;
  noOps = 0;
  for (std::size_t i = 0; i < packed.size();) {
    const int n = packed[i++];
    if (n < 128) {
      for (int k = 0; k <= n && i < packed.size(); ++k) out.push_back(packed[i++]);
    } else if (n == 128) {
      ++noOps;
    } else if (i < packed.size()) {
      out.insert(out.end(), std::size_t(257 - n), packed[i++]);
    }
  }
  return out;
}

std::vector<std::uint8_t> Repeat(std::size_t n, std::uint8_t v) { return std::vector<std::uint8_t>(n, v); }
std::vector<std::uint8_t> Literal(std::size_t n) {
  std::vector<std::uint8_t> out(n);
  for (std::size_t i = 0; i < n; ++i) out[i] = static_cast<std::uint8_t>(i * 7 + 1);  // no two alike in a row
  return out;
}
std::vector<std::uint8_t> Join(std::initializer_list<std::vector<std::uint8_t>> parts) {
  std::vector<std::uint8_t> out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

TEST(PackBits, EdgeCasesDecodeBackAndStayWithinBound) {
  const std::vector<std::vector<std::uint8_t>> rows = {
      {},          Repeat(1, 5),    Repeat(2, 5),   Repeat(3, 5),     Repeat(127, 9),  Repeat(128, 9),
      Repeat(129, 9), Repeat(130, 9),  Repeat(256, 0), Repeat(257, 0),   Literal(1),   Literal(2),
      Literal(127), Literal(128), Literal(129), Literal(256), Literal(300),
      Join({Literal(127), Repeat(2, 4)}), Join({Literal(128), Repeat(2, 4), Literal(1)}),
      Join({Repeat(2, 1), Literal(3), Repeat(129, 2), Literal(1), Repeat(2, 3), Repeat(1, 4)}),
      Join({Literal(5), Repeat(2, 8), Literal(126), Repeat(3, 6)}),
  };
  for (std::size_t i = 0; i < rows.size(); ++i) {
    // Exactly the room promised, and a guard byte after it that must stay.
    std::vector<std::uint8_t> packed(PackBitsBound(rows[i].size()) + 1, 0xEE);
    const std::size_t count = PackBits(rows[i], packed.data());
    ASSERT_LE(count, PackBitsBound(rows[i].size())) << "row " << i;
    EXPECT_EQ(packed.back(), 0xEE) << "row " << i;
    const std::vector<std::uint8_t> body(packed.begin(), packed.begin() + count);
    int noOps = 0;
    EXPECT_EQ(Decode(body, noOps), rows[i]) << "row " << i;
    EXPECT_EQ(noOps, 0) << "row " << i;

    std::vector<std::uint8_t> unpacked(rows[i].size());
    EXPECT_TRUE(UnpackBits(body, unpacked)) << "row " << i;
    EXPECT_EQ(unpacked, rows[i]) << "row " << i;
  }
  // Runs pack small: 129 equal bytes are two packets (128 + 1 repeated), 4 bytes.
  std::vector<std::uint8_t> packed(PackBitsBound(129));
  packed.resize(PackBits(Repeat(129, 9), packed.data()));
  EXPECT_EQ(packed, (std::vector<std::uint8_t>{129, 9, 0, 9}));
}

TEST(PackBits, UnpackRefusesDataThatDisagreesWithTheRow) {
  std::vector<std::uint8_t> row(4);
  const std::vector<std::vector<std::uint8_t>> bad = {
      {},                  // nothing for a 4-byte row
      {0xFD, 7, 0xFF},     // 4 bytes, then a repeat header without its byte
      {0xFC, 7},           // 5 bytes into 4
      {3, 1, 2, 3},        // a literal of 4 with only 3 bytes
      {0xFF, 1},           // 2 bytes of 4
  };
  for (std::size_t i = 0; i < bad.size(); ++i) EXPECT_FALSE(UnpackBits(bad[i], row)) << "case " << i;
  EXPECT_TRUE(UnpackBits(std::vector<std::uint8_t>{128, 0xFD, 6}, row)) << "128 is a no-op";
  EXPECT_EQ(row, (std::vector<std::uint8_t>{6, 6, 6, 6}));
}

}  // namespace
}  // namespace zurender
