// Decoding the stored parameter block and choosing the output pair.
#include <gtest/gtest.h>

#include <cstring>

#include "hostsim/records.h"
#include "plugin/param_block.h"

namespace {

using namespace zu;

TEST(ParamBlock, DecodesBigEndianWordsAndKeepsTheAddressAsStored) {
  hostsim::ParamWords words;
  words.storedList = 0x0A0B0C0Du;
  words.nameMode = 2;
  words.outputPairEnabled = 1;
  words.outputPairPreset = 4;
  words.edgeMask = -1;
  words.outputPairCustom1 = 0x01020304;
  words.outputPairCustom2 = -7;
  const auto bytes = hostsim::EncodeParamBlock(words);
  // nameMode is stored as the bytes 00 00 00 02.
  EXPECT_EQ(bytes[12], 0);
  EXPECT_EQ(bytes[15], 2);

  ParamBlock block{};
  ASSERT_TRUE(DecodeParamBlock(bytes.data(), 36, block));
  EXPECT_EQ(block.magic, 0x4C594552u);
  EXPECT_EQ(block.version, 1);
  EXPECT_EQ(block.storedList, 0x0A0B0C0Du);
  EXPECT_EQ(block.nameMode, 2);
  EXPECT_EQ(block.outputPairEnabled, 1);
  EXPECT_EQ(block.outputPairPreset, 4);
  EXPECT_EQ(block.edgeMask, -1);
  EXPECT_EQ(block.outputPairCustom1, 0x01020304);
  EXPECT_EQ(block.outputPairCustom2, -7);
}

TEST(ParamBlock, RejectsWrongSizesMagicVersionAndMissingData) {
  const auto good = hostsim::EncodeParamBlock({});
  ParamBlock block{};
  EXPECT_FALSE(DecodeParamBlock(good.data(), 35, block));
  EXPECT_FALSE(DecodeParamBlock(good.data(), 0, block));
  EXPECT_FALSE(DecodeParamBlock(nullptr, 36, block));
  std::uint8_t longer[37] = {};
  std::memcpy(longer, good.data(), 36);
  EXPECT_FALSE(DecodeParamBlock(longer, 37, block));

  hostsim::ParamWords words;
  words.magic = 0x5245594Cu;  // 'LYER' in the wrong byte order
  EXPECT_FALSE(DecodeParamBlock(hostsim::EncodeParamBlock(words).data(), 36, block));
  for (std::int32_t version : {0, 2, -1, 0x01000000}) {
    hostsim::ParamWords w;
    w.version = version;
    EXPECT_FALSE(DecodeParamBlock(hostsim::EncodeParamBlock(w).data(), 36, block)) << version;
  }
}

TEST(OutputPair, FollowsThePresetOnlyWhenEnabled) {
  ParamBlock params{};
  params.outputPairCustom1 = 11;
  params.outputPairCustom2 = -22;
  struct Case {
    std::int32_t enabled, preset, first, second;
  } cases[] = {{0, 0, 0, 0}, {0, 4, 0, 0}, {1, 0, 1, 1}, {1, 1, 2, 0},  {1, 2, 2, 2},
               {1, 3, 3, 0}, {1, 4, 11, -22}, {5, 4, 11, -22}, {1, 7, 0, 0}, {1, -1, 0, 0}};
  for (const Case& c : cases) {
    params.outputPairEnabled = c.enabled;
    params.outputPairPreset = c.preset;
    const OutputPair pair = ComputeOutputPair(params);
    EXPECT_EQ(pair.first, c.first) << "enabled " << c.enabled << " preset " << c.preset;
    EXPECT_EQ(pair.second, c.second) << "enabled " << c.enabled << " preset " << c.preset;
  }
}

}  // namespace
