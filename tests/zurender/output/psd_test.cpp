#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <sstream>

#include "zurender/base/byte_order.h"
#include "zurender/base/four_cc.h"
#include "zurender/output/linear_profile.h"
#include "zurender/output/output_test_support.h"
#include "zurender/output/psd_reader.h"
#include "zurender/output/psd_writer.h"

namespace zurender {
namespace {

using testing::TestLayer;

constexpr int kWidth = 37;  // odd sizes: no reader may count on even rows
constexpr int kHeight = 23;

// Top first, as the render host declares them; every key a test can tell apart in a reader.
std::vector<TestLayer> StackLayers() {
  std::vector<TestLayer> layers = {
      {"Fog", FourCC("norm"), true, testing::PatternPixels(kWidth, kHeight, 1, true, false)},
      {"Lumi\xE8re", FourCC("lddg"), true, testing::PatternPixels(kWidth, kHeight, 2, false, true)},
      {"Lights", FourCC("mul "), true, testing::PatternPixels(kWidth, kHeight, 3, false, true)},
      {"Mask of 3", FourCC("norm"), false, testing::PatternPixels(kWidth, kHeight, 4, false, false)},
      {"Final Render", FourCC("diff"), true, testing::PatternPixels(kWidth, kHeight, 5, false, false)},
  };
  // Values no integer file can hold: NaN gives 0, infinity the top.
  layers[1].pixels[3].red = std::numeric_limits<float>::quiet_NaN();
  layers[1].pixels[4].blue = std::numeric_limits<float>::infinity();
  return layers;
}

// What a depth can hold of v: integer depths clip and round; 32 bits keep colour, clip alpha.
float Expected(float v, int depth, bool alpha) {
  if (depth == 32 && !alpha) return v;
  if (std::isnan(v)) return 0.0f;
  return std::clamp(v, 0.0f, 1.0f);
}
float Tolerance(int depth) { return depth == 8 ? 0.5f / 255.0f : depth == 16 ? 0.5f / 65535.0f : 0.0f; }

void ExpectSample(float actual, float given, int depth, bool alpha, const std::string& where) {
  const float want = Expected(given, depth, alpha);
  if (std::isnan(want)) {
    EXPECT_TRUE(std::isnan(actual)) << where;
  } else if (std::isinf(want)) {
    EXPECT_EQ(actual, want) << where;
  } else {
    EXPECT_NEAR(actual, want, Tolerance(depth) + 1e-7f) << where;
  }
}

struct WrittenPsd {
  std::vector<TestLayer> layers = StackLayers();
  std::vector<ColourValue> merged = testing::PatternPixels(kWidth, kHeight, 9, false, false);
  std::vector<std::uint8_t> icc = LinearSrgbProfile().value();
  Status status;

  WrittenPsd(const std::string& path, int depth) {
    const std::vector<LayerView> views = testing::Views(layers);
    status = WritePsd(path, PsdImage{kWidth, kHeight, depth, views, merged, icc});
  }
};

TEST(Psd, RoundTripKeepsLayersNamesKeysFlagsAndValuesAtEveryDepth) {
  testing::TempDir dir;
  for (const int depth : {8, 16, 32}) {
    const std::string path = dir.File("stack" + std::to_string(depth) + ".psd");
    const WrittenPsd written(path, depth);
    ASSERT_TRUE(written.status.ok()) << written.status.message();
    const Result<PsdDocument> read = ReadPsd(path);
    ASSERT_TRUE(read.ok()) << read.message();
    const PsdDocument& doc = read.value();
    EXPECT_EQ(doc.width, kWidth);
    EXPECT_EQ(doc.height, kHeight);
    EXPECT_EQ(doc.depth, depth);
    EXPECT_EQ(doc.iccProfile, written.icc) << "depth " << depth;
    ASSERT_EQ(doc.layers.size(), written.layers.size()) << "depth " << depth;
    for (std::size_t i = 0; i < doc.layers.size(); ++i) {
      const PsdLayer& got = doc.layers[i];
      const TestLayer& want = written.layers[i];
      const std::string where = "depth " + std::to_string(depth) + " layer " + want.name;
      EXPECT_EQ(got.name, want.name) << where;
      EXPECT_EQ(got.blendKey, want.blendKey) << where;
      EXPECT_EQ(got.visible, want.visible) << where;
      EXPECT_EQ(got.opacity, 255) << where;
      ASSERT_EQ(got.pixels.size(), want.pixels.size()) << where;
      for (std::size_t p = 0; p < got.pixels.size(); ++p) {
        const std::string at = where + " pixel " + std::to_string(p);
        ExpectSample(got.pixels[p].red, want.pixels[p].red, depth, false, at + " red");
        ExpectSample(got.pixels[p].green, want.pixels[p].green, depth, false, at + " green");
        ExpectSample(got.pixels[p].blue, want.pixels[p].blue, depth, false, at + " blue");
        ExpectSample(got.pixels[p].alpha, want.pixels[p].alpha, depth, true, at + " alpha");
      }
    }
    ASSERT_EQ(doc.merged.size(), written.merged.size());
    for (std::size_t p = 0; p < doc.merged.size(); ++p) {
      ExpectSample(doc.merged[p].green, written.merged[p].green, depth, false, "merged " + std::to_string(p));
      EXPECT_EQ(doc.merged[p].alpha, 1.0f);
    }
  }
}

TEST(Psd, DegenerateInputsGiveReadableFilesOrErrors) {
  testing::TempDir dir;
  const std::vector<ColourValue> pixel(1, ColourValue{1.0f, 0.5f, 0.25f, 2.0f});
  const std::string longName(300, 'n');
  const LayerView layer{longName, FourCC("norm"), true, pixel};
  const std::string path = dir.File("one.psd");

  ASSERT_TRUE(WritePsd(path, PsdImage{1, 1, 16, {}, pixel, {}}).ok());
  Result<PsdDocument> read = ReadPsd(path);
  ASSERT_TRUE(read.ok()) << read.message();
  EXPECT_TRUE(read->layers.empty());
  EXPECT_TRUE(read->iccProfile.empty());
  EXPECT_NEAR(read->merged[0].red, 0.5f, Tolerance(16));

  ASSERT_TRUE(WritePsd(path, PsdImage{1, 1, 32, std::span(&layer, 1), pixel, {}}).ok());
  read = ReadPsd(path);
  ASSERT_TRUE(read.ok()) << read.message();
  ASSERT_EQ(read->layers.size(), 1u);
  EXPECT_EQ(read->layers[0].name, longName.substr(0, kPsdMaxNameBytes));
  EXPECT_EQ(read->layers[0].pixels[0].blue, 2.0f) << "32 bits keep values above 1";

  for (const PsdImage& bad : {PsdImage{0, 1, 8, {}, {}, {}}, PsdImage{1, 1, 12, {}, pixel, {}},
                              PsdImage{2, 1, 8, std::span(&layer, 1), pixel, {}}, PsdImage{1, 1, 8, {}, {}, {}}}) {
    const Status status = WritePsd(path, bad);
    EXPECT_FALSE(status.ok()) << bad.width << "x" << bad.height << " depth " << bad.depth;
    EXPECT_NE(status.message().find(path), std::string::npos) << status.message();
  }
}

std::vector<float> ImageMagickSamples(const std::string& image, const char* map) {
  const auto raw = testing::RunCommand("convert '" + image + "' -depth 16 " + map + ":- 2>/dev/null");
  std::vector<float> samples;
  if (!raw) return samples;
  for (std::size_t i = 0; i + 1 < raw->size(); i += 2) {
    // ImageMagick writes 16-bit raw samples in the machine's byte order (little-endian here).
    samples.push_back(float(std::uint8_t((*raw)[i]) | (std::uint8_t((*raw)[i + 1]) << 8)) / 65535.0f);
  }
  return samples;
}

TEST(Psd, ImageMagickReadsLayersModesHiddenFlagsAndTheMergedImage) {
  if (!testing::HaveImageMagick()) GTEST_SKIP() << "ImageMagick's identify is not installed";
  testing::TempDir dir;
  for (const int depth : {8, 16, 32}) {
    const std::string path = dir.File("im" + std::to_string(depth) + ".psd");
    const WrittenPsd written(path, depth);
    ASSERT_TRUE(written.status.ok()) << written.status.message();
    const auto listing = testing::RunCommand("identify -format '%[compose]|%l|%z\\n' '" + path + "' 2>&1");
    ASSERT_TRUE(listing.has_value()) << "identify failed on " << path;
    // The merged image first, then the layers bottom-first.
    std::ostringstream want;
    want << "Over||" << depth << "\n"
         << "Difference|Final Render|" << depth << "\n"
         << "None|Mask of 3|" << depth << "\n"
         << "Multiply|Lights|" << depth << "\n"
         << "LinearDodge|Lumi\xE8re|" << depth << "\n"
         << "Over|Fog|" << depth << "\n";
    EXPECT_EQ(*listing, want.str()) << "depth " << depth;

    // Quantised to 16 bits by ImageMagick, so allow a 16-bit step on top of the file's own.
    const float tolerance = Tolerance(depth) + 1.0f / 65535.0f;
    const std::vector<float> merged = ImageMagickSamples(path + "[0]", "rgb");
    ASSERT_EQ(merged.size(), std::size_t(kWidth) * kHeight * 3) << "depth " << depth;
    for (std::size_t p = 0; p < written.merged.size(); ++p) {
      const ColourValue& c = written.merged[p];
      EXPECT_NEAR(merged[3 * p + 0], c.red, tolerance) << "depth " << depth << " merged pixel " << p;
      EXPECT_NEAR(merged[3 * p + 1], c.green, tolerance) << "depth " << depth << " merged pixel " << p;
      EXPECT_NEAR(merged[3 * p + 2], c.blue, tolerance) << "depth " << depth << " merged pixel " << p;
    }
    // The partly transparent top layer, in the file last.
    const std::vector<float> fog = ImageMagickSamples(path + "[5]", "rgba");
    const std::vector<ColourValue>& fogPixels = written.layers[0].pixels;
    ASSERT_EQ(fog.size(), fogPixels.size() * 4) << "depth " << depth;
    for (std::size_t p = 0; p < fogPixels.size(); ++p) {
      EXPECT_NEAR(fog[4 * p + 3], fogPixels[p].alpha, tolerance) << "depth " << depth << " fog alpha " << p;
      if (fogPixels[p].alpha > 0.0f) {
        EXPECT_NEAR(fog[4 * p + 1], fogPixels[p].green, tolerance) << "depth " << depth << " fog green " << p;
      }
    }
    const auto icc = testing::RunCommand("convert '" + path + "[0]' icc:- 2>/dev/null");
    ASSERT_TRUE(icc.has_value()) << "depth " << depth;
    EXPECT_EQ(std::vector<std::uint8_t>(icc->begin(), icc->end()), written.icc) << "depth " << depth;
  }
}

}  // namespace
}  // namespace zurender
