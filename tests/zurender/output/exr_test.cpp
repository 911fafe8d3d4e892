#include <gtest/gtest.h>

#include <ImfChannelList.h>
#include <ImfFrameBuffer.h>
#include <ImfHeader.h>
#include <ImfInputFile.h>
#include <ImfOutputFile.h>
#include <ImfStandardAttributes.h>
#include <ImfStringAttribute.h>
#include <ImfStringVectorAttribute.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "zurender/base/byte_order.h"
#include "zurender/base/four_cc.h"
#include "zurender/base/text_encoding.h"
#include "zurender/output/exr_file.h"
#include "zurender/output/exr_layer_names.h"
#include "zurender/output/exr_reader.h"
#include "zurender/output/exr_writer.h"
#include "zurender/output/output_test_support.h"

namespace zurender {
namespace {

using testing::TestLayer;

bool SameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }
// Within the rounding of a multiplication by alpha and the division back.
bool Near(float a, float b) { return SameBits(a, b) || std::fabs(a - b) <= 2.4e-7f * std::fabs(b); }

// One channel of the file as stored, row-major.
std::vector<float> StoredChannel(const std::string& path, const std::string& channel) {
  Imf::InputFile file(path.c_str());
  const Imath::Box2i window = file.header().dataWindow();
  const int width = window.max.x - window.min.x + 1, height = window.max.y - window.min.y + 1;
  std::vector<float> values(std::size_t(width) * std::size_t(height));
  Imf::FrameBuffer frame;
  frame.insert(channel, Imf::Slice::Make(Imf::FLOAT, values.data(), window, sizeof(float), sizeof(float) * width));
  file.setFrameBuffer(frame);
  file.readPixels(window.min.y, window.max.y);
  return values;
}

TEST(Exr, RoundTripKeepsOrderNamesKeysVisibilityAndValuesWithColourPremultiplied) {
  const int width = 13, height = 7;
  // Two "Lights", a name with dots, one that becomes another's prefix, a Latin-1 byte.
  std::vector<TestLayer> layers = {
      {"Lights", FourCC("mul "), true, testing::PatternPixels(width, height, 1, true, true)},
      {"Spec.v2", FourCC("lddg"), false, testing::PatternPixels(width, height, 2, false, true)},
      {"Lights", FourCC("norm"), true, testing::PatternPixels(width, height, 3, false, false)},
      {"Spec_v2", FourCC("diff"), true, testing::PatternPixels(width, height, 4, false, false)},
      {"Lumi\xE8re", FourCC("lddg"), true, testing::PatternPixels(width, height, 5, false, true)},
  };
  layers[0].pixels[2].red = std::numeric_limits<float>::quiet_NaN();
  layers[0].pixels[3].green = -std::numeric_limits<float>::infinity();
  layers[1].pixels[5].blue = 1e30f;
  std::vector<LayerView> views = testing::Views(layers);
  views[1].alpha = LayerAlpha::kOpaque;  // partly transparent as given; written opaque
  testing::TempDir dir;
  for (const ExrCompression compression : {ExrCompression::kRle, ExrCompression::kNone, ExrCompression::kZip}) {
    const std::string path = dir.File("layers.exr");
    // The fourth layer doubles as the merged image, written as the file's own R, G, B, A.
    const Status written = WriteExr(path, ExrImage{width, height, views, compression, views[3].pixels, false, "", -1});
    ASSERT_TRUE(written.ok()) << written.message();

    // What other readers see: unique prefixes without dots, the stack order in an attribute.
    Imf::InputFile file(path.c_str());
    const auto* order = file.header().findTypedAttribute<Imf::StringVectorAttribute>(kExrLayerChannels);
    ASSERT_NE(order, nullptr);
    const std::vector<std::string> prefixes = {"Lights", "Spec_v2", "Lights_2", "Spec_v2_2", "Lumi\xC3\xA8re"};
    EXPECT_EQ(order->value(), prefixes);
    int channels = 0;
    for (auto it = file.header().channels().begin(); it != file.header().channels().end(); ++it) {
      ++channels;
      EXPECT_EQ(it.channel().type, Imf::FLOAT) << it.name();
    }
    EXPECT_EQ(channels, 24);
    EXPECT_NE(file.header().channels().findChannel("Lights_2.A"), nullptr);

    const Result<ExrDocument> read = ReadExr(path);
    ASSERT_TRUE(read.ok()) << read.message();
    ASSERT_EQ(read->layers.size(), layers.size()) << "the merged channels are no layer";
    ASSERT_EQ(read->merged.size(), layers[3].pixels.size());
    EXPECT_EQ(std::memcmp(read->merged.data(), layers[3].pixels.data(), read->merged.size() * sizeof(ColourValue)), 0);
    EXPECT_EQ(read->width, width);
    EXPECT_EQ(read->height, height);
    for (std::size_t i = 0; i < layers.size(); ++i) {
      const ExrLayer& got = read->layers[i];
      const std::string where = "layer " + std::to_string(i) + " compression " + std::to_string(int(compression));
      EXPECT_EQ(got.name, layers[i].name) << where;
      EXPECT_EQ(got.channelPrefix, prefixes[i]) << where;
      EXPECT_EQ(got.blendKey, layers[i].blendKey) << where;
      EXPECT_EQ(got.visible, layers[i].visible) << where;
      ASSERT_EQ(got.pixels.size(), layers[i].pixels.size()) << where;
      for (std::size_t p = 0; p < got.pixels.size(); ++p) {
        const ColourValue& a = got.pixels[p];
        const ColourValue& b = layers[i].pixels[p];
        if (views[i].alpha == LayerAlpha::kOpaque) {
          EXPECT_TRUE(a.alpha == 1.0f && SameBits(a.red, b.red) && SameBits(a.green, b.green) && SameBits(a.blue, b.blue))
              << where << " pixel " << p;
        } else if (b.alpha == 0.0f) {
          EXPECT_TRUE(a.alpha == 0.0f && a.red == 0.0f && a.green == 0.0f && a.blue == 0.0f) << where << " pixel " << p;
        } else {
          EXPECT_TRUE(SameBits(a.alpha, b.alpha) && Near(a.red, b.red) && Near(a.green, b.green) && Near(a.blue, b.blue))
              << where << " pixel " << p;
        }
      }
    }
    // As stored, for other readers: colour times alpha where alpha is coverage, alpha 1 where opaque.
    const std::vector<float> red = StoredChannel(path, "Lights.R"), alpha = StoredChannel(path, "Lights.A");
    const std::vector<float> opaque = StoredChannel(path, "Spec_v2.A");
    for (std::size_t p = 0; p < red.size(); ++p) {
      const ColourValue& v = layers[0].pixels[p];
      const float premultiplied = v.alpha == 0.0f ? 0.0f : v.red * v.alpha;
      EXPECT_TRUE(alpha[p] == v.alpha && (SameBits(red[p], premultiplied) || (std::isnan(red[p]) && std::isnan(premultiplied))))
          << "pixel " << p;
      EXPECT_EQ(opaque[p], 1.0f) << "pixel " << p;
    }
  }
  // What the file says of itself: lossless ZIP unless asked otherwise, the primaries and white of
  // Rec. 709 and sRGB, the program and the time.
  const std::string path = dir.File("attributes.exr");
  ExrImage image{width, height, views};
  image.software = "zurender 1.0";
  image.created = 86400 + 3661;
  ASSERT_TRUE(WriteExr(path, image).ok());
  Imf::InputFile file(path.c_str());
  EXPECT_EQ(file.header().compression(), Imf::ZIP_COMPRESSION);
  ASSERT_TRUE(Imf::hasChromaticities(file.header()));
  const Imf::Chromaticities primaries = Imf::chromaticities(file.header());
  EXPECT_FLOAT_EQ(primaries.red.x, 0.64f);
  EXPECT_FLOAT_EQ(primaries.green.y, 0.6f);
  EXPECT_FLOAT_EQ(primaries.blue.x, 0.15f);
  EXPECT_FLOAT_EQ(primaries.white.x, 0.3127f);
  EXPECT_EQ(file.header().typedAttribute<Imf::StringAttribute>("software").value(), "zurender 1.0");
  EXPECT_EQ(Imf::capDate(file.header()), "1970:01:02 01:01:01");
  EXPECT_EQ(Imf::utcOffset(file.header()), 0.0f);
  EXPECT_FALSE(WriteExr(dir.File("none.exr"), ExrImage{width, height, {}, {}, {}}).ok()) << "no layers";
  EXPECT_FALSE(WriteExr(dir.File("short.exr"), ExrImage{width + 1, height, views, {}, {}}).ok()) << "short pixels";
}

TEST(Exr, PrefixesAreCutOnACharacterBoundaryAndTellMasksApart) {
  const std::string name = "a" + std::string(300, '\xE9');  // two UTF-8 bytes each
  LayerView layers[6] = {{name, 0, true, {}}, {name, 0, true, {}}, {"Mask of #", 0, false, {}},
                         {"Mask of #", 0, false, {}}, {"Car", 0, false, {}}, {"Prix \x80", 0, true, {}}};
  layers[2].mask = 3;
  layers[3].mask = 12;
  layers[4].mask = 3;
  const std::vector<std::string> prefixes = ExrChannelPrefixes(layers);
  ASSERT_EQ(prefixes.size(), 6u);
  EXPECT_EQ(prefixes[0], Cp1252ToUtf8(name).substr(0, 199)) << "cut before a lead byte";
  EXPECT_EQ(prefixes[1], prefixes[0] + "_2");
  EXPECT_EQ(prefixes[2], "Mask of #3");
  EXPECT_EQ(prefixes[3], "Mask of #12");
  EXPECT_EQ(prefixes[4], "Car #3");
  EXPECT_EQ(prefixes[5], "Prix \xE2\x82\xAC");
}

TEST(Exr, HalfLayersAreHalfTheSizeAndCloseTheCompositeStaysFloat) {
  const int width = 32, height = 16;
  std::vector<TestLayer> layers = {{"Fog", FourCC("norm"), true, testing::PatternPixels(width, height, 1, true, true)},
                                   {"Mask of #", FourCC("norm"), false, testing::PatternPixels(width, height, 2, false, false)}};
  layers[0].pixels[7].red = 1e6f;  // past half's range
  std::vector<LayerView> views = testing::Views(layers);
  views[1].mask = 4;
  testing::TempDir dir;
  for (const bool half : {false, true}) {
    const std::string path = dir.File(half ? "half.exr" : "float.exr");
    ASSERT_TRUE(WriteExr(path, ExrImage{width, height, views, ExrCompression::kNone, layers[1].pixels, half}).ok());
    Imf::InputFile file(path.c_str());
    EXPECT_EQ(file.header().channels().findChannel("Fog.R")->type, half ? Imf::HALF : Imf::FLOAT);
    EXPECT_EQ(file.header().channels().findChannel("Mask of #4.A")->type, half ? Imf::HALF : Imf::FLOAT);
    EXPECT_EQ(file.header().channels().findChannel("R")->type, Imf::FLOAT) << "the composite";
    const auto* names = file.header().findTypedAttribute<Imf::StringVectorAttribute>(kExrLayerNames);
    ASSERT_NE(names, nullptr);
    EXPECT_EQ(names->value(), (std::vector<std::string>{"Fog", "Mask of #"})) << "the declared names";
    const Result<ExrDocument> read = ReadExr(path);
    ASSERT_TRUE(read.ok()) << read.message();
    EXPECT_EQ(read->halfLayers, half);
    for (std::size_t p = 0; p < layers[0].pixels.size(); ++p) {
      const ColourValue& a = read->layers[0].pixels[p];
      const ColourValue& b = layers[0].pixels[p];
      if (b.alpha == 0.0f) continue;
      const float within = half ? 1e-3f : 2.4e-7f;  // half holds 11 significant bits
      if (p == 7) EXPECT_EQ(std::isinf(a.red), half) << "past 65504";
      else EXPECT_NEAR(a.red, b.red, within * std::max(1.0f, std::fabs(b.red))) << "pixel " << p;
      EXPECT_NEAR(a.blue, b.blue, within * std::max(1.0f, std::fabs(b.blue))) << "pixel " << p;
    }
  }
}

TEST(Exr, ReadsFilesFromElsewhereByChannelName) {
  testing::TempDir dir;
  const std::string path = dir.File("plain.exr");
  // A plain RGB image with a "diffuse" layer beside it, data window not at the origin.
  const Imath::Box2i window({3, 5}, {4, 5});
  Imf::Header header(Imath::Box2i({0, 0}, {9, 9}), window);
  std::vector<float> values = {0.25f, 0.5f};
  Imf::FrameBuffer frame;
  for (const char* name : {"R", "G", "B", "diffuse.G"}) {
    header.channels().insert(name, Imf::Channel(Imf::FLOAT));
    frame.insert(name, Imf::Slice::Make(Imf::FLOAT, values.data(), window, sizeof(float), 2 * sizeof(float)));
  }
  {
    Imf::OutputFile out(path.c_str(), header);
    out.setFrameBuffer(frame);
    out.writePixels(1);
  }
  const Result<ExrDocument> read = ReadExr(path);
  ASSERT_TRUE(read.ok()) << read.message();
  ASSERT_EQ(read->layers.size(), 1u) << "the unprefixed channels are the merged image";
  EXPECT_EQ(read->width, 2);
  EXPECT_EQ(read->height, 1);
  ASSERT_EQ(read->merged.size(), 2u);
  EXPECT_EQ(read->merged[1].blue, 0.5f);
  EXPECT_EQ(read->layers[0].name, "diffuse");
  EXPECT_EQ(read->layers[0].blendKey, FourCC("norm"));
  EXPECT_EQ(read->layers[0].pixels[0].green, 0.25f);
  EXPECT_EQ(read->layers[0].pixels[0].red, 0.0f) << "a missing colour channel";
  EXPECT_EQ(read->layers[0].pixels[0].alpha, 1.0f) << "a missing alpha channel";
  EXPECT_FALSE(ReadExr(dir.File("missing.exr")).ok());
}

}  // namespace
}  // namespace zurender
