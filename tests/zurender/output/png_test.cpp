#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "zurender/base/byte_order.h"
#include "zurender/base/file_name_fragment.h"
#include "zurender/base/four_cc.h"
#include "zurender/output/bitmap_font.h"
#include "zurender/output/contact_sheet.h"
#include "zurender/output/output_test_support.h"
#include "zurender/output/preview_png.h"

namespace zurender {
namespace {

// ImageMagick's 8-bit samples of a PNG, with the channel count and colourspace it reports.
struct Decoded {
  std::string description;
  std::vector<std::uint8_t> samples;
};
Decoded ReadWithImageMagick(const std::string& path, const char* map) {
  Decoded out;
  out.description = testing::RunCommand("identify -format '%w %h %[channels] %[colorspace]' '" + path + "'").value_or("");
  const auto raw = testing::RunCommand("convert '" + path + "' -depth 8 " + map + ":-");
  if (raw) out.samples.assign(raw->begin(), raw->end());
  return out;
}

TEST(PreviewPng, EncodesSrgbClipsAndKeepsAlphaOnlyWhereItMatters) {
  if (!testing::HaveImageMagick()) GTEST_SKIP() << "ImageMagick is not installed";
  testing::TempDir dir;
  const float nan = std::numeric_limits<float>::quiet_NaN();
  // Linear 0.5 is sRGB 188; 0.0031308 the curve's knee (code 10); 0.2159 code 128.
  std::vector<ColourValue> pixels = {{1.0f, 0.5f, 0.0031308f, 0.2159f}, {1.0f, 2.0f, -1.0f, nan}};
  const std::string opaque = dir.File("opaque.png");
  ASSERT_TRUE(WritePreviewPng(opaque, 2, 1, pixels).ok());
  const Decoded rgb = ReadWithImageMagick(opaque, "rgb");
  EXPECT_EQ(rgb.description, "2 1 srgb sRGB");
  EXPECT_EQ(rgb.samples, (std::vector<std::uint8_t>{188, 10, 128, 255, 0, 0}));

  pixels[1].alpha = 0.5f;  // fog-like: colour as it is, coverage beside it
  const std::string fog = dir.File("fog.png");
  ASSERT_TRUE(WritePreviewPng(fog, 2, 1, pixels).ok());
  const Decoded rgba = ReadWithImageMagick(fog, "rgba");
  EXPECT_EQ(rgba.description, "2 1 srgba sRGB");
  EXPECT_EQ(rgba.samples, (std::vector<std::uint8_t>{188, 10, 128, 255, 255, 0, 0, 128}));

  EXPECT_FALSE(WritePreviewPng(dir.File("short.png"), 3, 1, pixels).ok());
}

TEST(ContactSheet, DrawsTitleAndThumbnailsOnTheBackgroundForAnyLayerCount) {
  if (!testing::HaveImageMagick()) GTEST_SKIP() << "ImageMagick is not installed";
  testing::TempDir dir;
  std::vector<testing::TestLayer> layers;
  for (int i = 0; i < 6; ++i) {
    layers.push_back({"Layer " + std::to_string(i), FourCC("lddg"), i % 2 == 0, testing::PatternPixels(40, 30, i, i == 0, true)});
  }
  layers[0].name = std::string(300, 'x');  // longer than any label
  const std::vector<LayerView> views = testing::Views(layers);
  for (const std::size_t count : {std::size_t(0), std::size_t(1), views.size()}) {
    const std::string path = dir.File("sheet" + std::to_string(count) + ".png");
    const Status written = WriteContactSheet(path, ContactSheet{"Scene", "40 x 30", 40, 30, std::span(views).first(count)});
    ASSERT_TRUE(written.ok()) << written.message();
    const Decoded sheet = ReadWithImageMagick(path, "rgb");
    int width = 0, height = 0;
    ASSERT_EQ(std::sscanf(sheet.description.c_str(), "%d %d", &width, &height), 2) << sheet.description;
    ASSERT_EQ(sheet.samples.size(), std::size_t(width) * height * 3) << count << " layers";
    // The corner is background; something brighter (the title, a thumbnail) is drawn on it.
    EXPECT_EQ(sheet.samples[0], 34) << count << " layers";
    std::size_t bright = 0;
    for (const std::uint8_t v : sheet.samples) bright += v > 200;
    EXPECT_GT(bright, 100u) << count << " layers";
  }
  EXPECT_FALSE(WriteContactSheet(dir.File("bad.png"), ContactSheet{"Scene", "", 41, 30, views}).ok());
}

TEST(BitmapFont, EveryPrintableCharacterHasWellFormedRows) {
  for (char c = kFirstGlyph; c <= kLastGlyph; ++c) {
    const char* const* rows = GlyphRows(c);
    ASSERT_NE(rows, nullptr) << "'" << c << "'";
    int lit = 0;
    for (int r = 0; r < kGlyphRows && rows[r] != nullptr; ++r) {
      ASSERT_EQ(std::strlen(rows[r]), std::size_t(kGlyphWidth)) << "'" << c << "' row " << r;
      for (int x = 0; x < kGlyphWidth; ++x) {
        EXPECT_TRUE(rows[r][x] == '.' || rows[r][x] == '#') << "'" << c << "' row " << r;
        lit += rows[r][x] == '#';
      }
    }
    EXPECT_EQ(lit == 0, c == ' ') << "'" << c << "' is blank";
  }
  EXPECT_EQ(GlyphRows('\x7F'), nullptr);
}

TEST(FileNameFragment, KeepsNamesReadableAndSafe) {
  EXPECT_EQ(SafeFileNameFragment("Diffuse Pack"), "Diffuse-Pack");
  EXPECT_EQ(SafeFileNameFragment("Ambient/GI"), "Ambient_GI");
  EXPECT_EQ(SafeFileNameFragment("Lumi\xE8re \x80\xA0x"), "Lumi\xC3\xA8re-\xE2\x82\xAC-x") << "as the name reads, in UTF-8";
  EXPECT_EQ(SafeFileNameFragment("../x"), "_._x");
  EXPECT_EQ(SafeFileNameFragment("a\tb*c?\"d\x81"), "a_b_c__d_");
  EXPECT_EQ(SafeFileNameFragment(""), "layer");
  EXPECT_EQ(SafeFileNameFragment(std::string(500, 'n')).size(), kMaxFileNameFragment);
  std::string cut = "a";
  for (int i = 0; i < 31; ++i) cut += "\xC3\xA9";
  EXPECT_EQ(SafeFileNameFragment("a" + std::string(40, '\xE9')), cut) << "64 bytes at most, cut between characters";
}

}  // namespace
}  // namespace zurender
