#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "zurender/base/byte_order.h"
#include "zurender/base/four_cc.h"
#include "zurender/output/linear_profile.h"
#include "zurender/output/output_test_support.h"
#include "zurender/output/psd_reader.h"
#include "zurender/output/psd_writer.h"

namespace zurender {
namespace {

std::vector<std::uint8_t> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(PsdReader, RefusesEveryTruncationAndSurvivesEveryCorruptedByte) {
  testing::TempDir dir;
  const int width = 5, height = 3;
  const std::vector<testing::TestLayer> layers = {
      {"Top", FourCC("lddg"), true, testing::PatternPixels(width, height, 1, true, false)},
      {"Bottom", FourCC("norm"), false, testing::PatternPixels(width, height, 2, false, false)}};
  const std::vector<ColourValue> merged = testing::PatternPixels(width, height, 3, false, false);
  const std::vector<std::uint8_t> icc = LinearSrgbProfile().value();
  const std::vector<LayerView> views = testing::Views(layers);
  for (const int depth : {8, 16, 32}) {
    const std::string path = dir.File("small.psd");
    ASSERT_TRUE(WritePsd(path, PsdImage{width, height, depth, views, merged, icc}).ok());
    std::vector<std::uint8_t> bytes = FileBytes(path);
    ASSERT_TRUE(ReadPsd(bytes).ok()) << "depth " << depth;
    for (std::size_t size = 0; size < bytes.size(); ++size) {
      EXPECT_FALSE(ReadPsd(std::span(bytes.data(), size)).ok()) << "depth " << depth << " cut at " << size;
    }
    // Any outcome is fine for a changed byte, as long as reading stays in bounds (the sanitizer
    // build checks that) and ends.
    for (std::size_t at = 0; at < bytes.size(); ++at) {
      for (const std::uint8_t flip : {0xFF, 0x80, 0x01}) {
        bytes[at] ^= flip;
        (void)ReadPsd(bytes);
        bytes[at] ^= flip;
      }
    }
  }
}

TEST(PsdReader, RefusesSizesBeyondMemoryBeforeAllocating) {
  // A 26-byte header claiming 30000x30000 RGB at 32 bits, and nothing after it.
  std::vector<std::uint8_t> header(26, 0);
  PutU32(header.data(), FourCC("8BPS"));
  PutU16(header.data() + 4, 1);
  PutU16(header.data() + 12, 3);
  PutU32(header.data() + 14, 30000);
  PutU32(header.data() + 18, 30000);
  PutU16(header.data() + 22, 32);
  PutU16(header.data() + 24, 3);
  const Result<PsdDocument> read = ReadPsd(header);
  ASSERT_FALSE(read.ok());
  EXPECT_NE(read.message().find("too large"), std::string::npos) << read.message();
}

TEST(PsdReader, PlacesLayersFromOtherWritersByTheirRectangle) {
  if (!testing::HaveImageMagick()) GTEST_SKIP() << "ImageMagick's convert is not installed";
  testing::TempDir dir;
  const std::string path = dir.File("offset.psd");
  // A 3x2 layer at (2, 1) and a half-transparent 4x4 one at (6, 4) that passes the 8x6 canvas.
  ASSERT_TRUE(testing::RunCommand("convert -size 8x6 xc:red \\( -size 3x2 xc:blue -repage +2+1 -set label small \\) "
                                  "\\( -size 4x4 xc:'rgba(0,255,0,0.5)' -repage +6+4 -set label edge \\) -depth 8 '" +
                                  path + "'"));
  const Result<PsdDocument> read = ReadPsd(path);
  ASSERT_TRUE(read.ok()) << read.message();
  const PsdDocument& doc = read.value();
  ASSERT_EQ(doc.layers.size(), 2u);
  const PsdLayer& edge = doc.layers[0];
  const PsdLayer& small = doc.layers[1];
  EXPECT_EQ(small.name, "small");
  EXPECT_EQ(edge.name, "edge");
  ASSERT_EQ(small.pixels.size(), 48u);
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 8; ++x) {
      const ColourValue& s = small.pixels[std::size_t(y) * 8 + x];
      const bool inside = x >= 2 && x < 5 && y >= 1 && y < 3;
      EXPECT_EQ(s.alpha, inside ? 1.0f : 0.0f) << "small at " << x << "," << y;
      EXPECT_EQ(s.blue, inside ? 1.0f : 0.0f) << "small at " << x << "," << y;
      const ColourValue& e = edge.pixels[std::size_t(y) * 8 + x];
      EXPECT_NEAR(e.alpha, x >= 6 && y >= 4 ? 0.5f : 0.0f, 1.0f / 255) << "edge at " << x << "," << y;
    }
  }
  EXPECT_EQ(doc.merged[0].red, 1.0f);
}

}  // namespace
}  // namespace zurender
