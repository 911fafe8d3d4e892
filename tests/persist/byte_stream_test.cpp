// The two stream variants: bounds, byte order and the failed state.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "persist/memory_stream.h"
#include "persist/size_counter.h"

namespace {

using namespace zu;

TEST(ByteStream, ReadsSwappedWordsUpToTheEnd) {
  std::uint8_t block[8] = {0x00, 0x00, 0x00, 0x07, 0x4C, 0x59, 0x45, 0x52};
  ByteStream s = MakeMemoryStream(block, 8);
  std::int32_t word = 0;
  EXPECT_EQ(ReadSwapped(s, &word, 4), 4);
  EXPECT_EQ(word, 7);
  EXPECT_EQ(Remaining(s), 4);
  std::uint32_t tag = 0;
  EXPECT_EQ(ReadSwapped(s, &tag, 4), 8) << "reaching the end exactly is allowed";
  EXPECT_EQ(tag, 0x4C594552u);
  EXPECT_EQ(s.cursor, s.end);
  EXPECT_EQ(s.byteCount, 8);
  EXPECT_EQ(Remaining(s), 0);

  std::uint8_t byte = 0xAB;
  EXPECT_EQ(ReadRaw(s, &byte, 1), kStreamErrorReadPastEnd);
  EXPECT_EQ(s.error, kStreamErrorReadPastEnd);
  EXPECT_EQ(byte, 0xAB) << "a failed read leaves its destination alone";
  EXPECT_EQ(s.byteCount, 8);
}

TEST(ByteStream, SwappedWritesStoreBigEndianAndKeepTheSource) {
  std::uint8_t block[5] = {};
  ByteStream s = MakeMemoryStream(block, 5);
  const std::uint32_t word = 0x4C594552u;
  EXPECT_EQ(WriteSwapped(s, &word, 4), 4);
  EXPECT_EQ(word, 0x4C594552u);
  const std::uint8_t one = 0x9C;
  EXPECT_EQ(WriteSwapped(s, &one, 1), 5) << "one byte has no order to reverse";
  const std::uint8_t expected[5] = {0x4C, 0x59, 0x45, 0x52, 0x9C};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(block[i], expected[i]) << "byte " << i;

  // Reading back: a swapped byte is a raw byte; a raw word keeps the stored order.
  ByteStream in = MakeMemoryStream(block, 5);
  std::uint32_t raw = 0;
  std::uint8_t swappedByte = 0;
  ReadRaw(in, &raw, 4);
  ReadSwapped(in, &swappedByte, 1);
  EXPECT_EQ(raw, 0x5245594Cu);
  EXPECT_EQ(swappedByte, 0x9C);
}

TEST(ByteStream, EmptyTransfersChangeNothing) {
  std::uint8_t block[2] = {1, 2};
  ByteStream s = MakeMemoryStream(block, 2);
  std::uint8_t destination = 9;
  EXPECT_EQ(ReadSwapped(s, &destination, 0), 0);
  EXPECT_EQ(WriteRaw(s, &destination, 0), 0);
  EXPECT_EQ(destination, 9);
  EXPECT_EQ(s.cursor, block);
  EXPECT_EQ(s.error, 0);
}

TEST(ByteStream, TheFirstTransferPastTheEndFailsTheStreamForGood) {
  std::uint8_t block[3] = {0x11, 0x22, 0x33};
  ByteStream s = MakeMemoryStream(block, 3);
  const std::uint32_t word = 0xA1A2A3A4u;
  EXPECT_EQ(WriteSwapped(s, &word, 4), kStreamErrorWritePastEnd) << "the whole item must fit";
  const std::uint8_t byte = 0xEE;
  EXPECT_EQ(WriteRaw(s, &byte, 1), kStreamErrorWritePastEnd) << "would have fitted, but the stream failed";
  std::uint8_t in = 0;
  EXPECT_EQ(ReadRaw(s, &in, 1), kStreamErrorWritePastEnd) << "a later read reports the first failure";
  EXPECT_EQ(s.error, kStreamErrorWritePastEnd);
  EXPECT_EQ(block[0], 0x11);
  EXPECT_EQ(block[1], 0x22);
  EXPECT_EQ(block[2], 0x33);
  EXPECT_EQ(s.cursor, block);
  EXPECT_EQ(s.byteCount, 0);

  // A negative length is no transfer either.
  ByteStream negative = MakeMemoryStream(block, 3);
  EXPECT_EQ(ReadRaw(negative, &in, -1), kStreamErrorReadPastEnd);
}

TEST(ByteStream, SizeCounterAddsUpWhatItIsOfferedAndTouchesNothing) {
  ByteStream s = MakeSizeCounter();
  const std::uint32_t word = 1;
  EXPECT_EQ(WriteSwapped(s, &word, 4), 4);
  EXPECT_EQ(WriteRaw(s, &word, 1), 1);
  EXPECT_EQ(ReadRaw(s, nullptr, 7), 7);
  EXPECT_EQ(ReadSwapped(s, nullptr, 4), 4);
  EXPECT_EQ(s.byteCount, 16);
  EXPECT_EQ(Remaining(s), 0);
}

TEST(ByteStream, SizeCounterFailsRatherThanWrapPastThe32BitRange) {
  ByteStream s = MakeSizeCounter();
  s.byteCount = std::numeric_limits<std::int32_t>::max() - 3;
  const std::uint32_t word = 1;
  EXPECT_EQ(WriteSwapped(s, &word, 4), kStreamErrorWritePastEnd);
  EXPECT_EQ(s.byteCount, std::numeric_limits<std::int32_t>::max() - 3);
  EXPECT_EQ(WriteRaw(s, &word, 1), kStreamErrorWritePastEnd);
}

}  // namespace
