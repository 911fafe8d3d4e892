#include <gtest/gtest.h>

#include <ImfChannelList.h>
#include <ImfFrameBuffer.h>
#include <ImfHeader.h>
#include <ImfInputFile.h>
#include <ImfOutputFile.h>
#include <ImfStringVectorAttribute.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "zurender/output/big_endian.h"
#include "zurender/output/exr_file.h"
#include "zurender/output/exr_layer_names.h"
#include "zurender/output/exr_reader.h"
#include "zurender/output/exr_writer.h"
#include "zurender/output/output_test_support.h"
#include "zurender/output/text_encoding.h"

namespace zurender {
namespace {

using testing::TestLayer;

bool SameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(Exr, RoundTripKeepsOrderNamesKeysVisibilityAndExactValues) {
  const int width = 13, height = 7;
  // Two "Lights", a name with dots, one that becomes another's prefix, a Latin-1 byte.
  std::vector<TestLayer> layers = {
      {"Lights", FourCc("mul "), true, testing::PatternPixels(width, height, 1, true, true)},
      {"Spec.v2", FourCc("lddg"), false, testing::PatternPixels(width, height, 2, false, true)},
      {"Lights", FourCc("norm"), true, testing::PatternPixels(width, height, 3, false, false)},
      {"Spec_v2", FourCc("diff"), true, testing::PatternPixels(width, height, 4, false, false)},
      {"Lumi\xE8re", FourCc("lddg"), true, testing::PatternPixels(width, height, 5, false, true)},
  };
  layers[0].pixels[2].red = std::numeric_limits<float>::quiet_NaN();
  layers[0].pixels[3].green = -std::numeric_limits<float>::infinity();
  layers[1].pixels[5].blue = 1e30f;
  const std::vector<LayerView> views = testing::Views(layers);
  testing::TempDir dir;
  for (const ExrCompression compression : {ExrCompression::kRle, ExrCompression::kNone, ExrCompression::kZip}) {
    const std::string path = dir.File("layers.exr");
    // The fourth layer doubles as the merged image, written as the file's own R, G, B, A.
    const Status written = WriteExr(path, ExrImage{width, height, views, compression, views[3].pixels});
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
        EXPECT_TRUE(SameBits(a.red, b.red) && SameBits(a.green, b.green) && SameBits(a.blue, b.blue) &&
                    SameBits(a.alpha, b.alpha))
            << where << " pixel " << p;
      }
    }
  }
  EXPECT_FALSE(WriteExr(dir.File("none.exr"), ExrImage{width, height, {}, ExrCompression::kRle, {}}).ok()) << "no layers";
  EXPECT_FALSE(WriteExr(dir.File("short.exr"), ExrImage{width + 1, height, views, ExrCompression::kRle, {}}).ok()) << "short pixels";
}

TEST(Exr, LongNamesAreCutOnACharacterBoundary) {
  const std::string name = "a" + std::string(300, '\xE9');  // two UTF-8 bytes each
  const LayerView layers[2] = {{name, 0, true, {}}, {name, 0, true, {}}};
  const std::vector<std::string> prefixes = ExrChannelPrefixes(layers);
  ASSERT_EQ(prefixes.size(), 2u);
  EXPECT_EQ(prefixes[0], Latin1ToUtf8(name).substr(0, 199)) << "cut before a lead byte";
  EXPECT_EQ(prefixes[1], prefixes[0] + "_2");
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
  EXPECT_EQ(read->layers[0].blendKey, FourCc("norm"));
  EXPECT_EQ(read->layers[0].pixels[0].green, 0.25f);
  EXPECT_EQ(read->layers[0].pixels[0].red, 0.0f) << "a missing colour channel";
  EXPECT_EQ(read->layers[0].pixels[0].alpha, 1.0f) << "a missing alpha channel";
  EXPECT_FALSE(ReadExr(dir.File("missing.exr")).ok());
}

}  // namespace
}  // namespace zurender
