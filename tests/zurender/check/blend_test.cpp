#include "zurender/check/blend.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

#include "zurender/check/stack.h"

namespace zurender {
namespace {

constexpr std::uint32_t Key(const char (&k)[5]) {
  return std::uint32_t(std::uint8_t(k[0])) << 24 | std::uint32_t(std::uint8_t(k[1])) << 16 |
         std::uint32_t(std::uint8_t(k[2])) << 8 | std::uint32_t(std::uint8_t(k[3]));
}

// A 16-bit binary PPM: the simplest image ImageMagick reads and writes at 16 bits.
void WritePpm16(const std::string& path, int w, int h, const std::vector<std::uint16_t>& samples) {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << w << " " << h << "\n65535\n";
  for (std::uint16_t v : samples) out.put(char(v >> 8)).put(char(v & 0xFF));
}

std::vector<std::uint16_t> ReadPpm16(const std::string& path, std::size_t count) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int w = 0, h = 0, max = 0;
  in >> magic >> w >> h >> max;
  in.get();
  std::vector<std::uint16_t> samples;
  if (magic != "P6" || max != 65535) return samples;
  for (std::size_t i = 0; i < count; ++i) {
    const int hi = in.get(), lo = in.get();
    if (!in) break;
    samples.push_back(std::uint16_t(hi << 8 | lo));
  }
  return samples;
}

TEST(Blend, AgreesWithImageMagicksComposeOperatorsOn16BitPixels) {
  if (std::system("convert -version >/dev/null 2>&1") != 0) GTEST_SKIP() << "ImageMagick's convert is missing";
  const auto dir = std::filesystem::temp_directory_path() / ("zu-blend-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  constexpr int kSide = 32;
  constexpr std::size_t kSamples = kSide * kSide * 3;
  std::mt19937 random(7);
  std::vector<std::uint16_t> backdrop(kSamples), source(kSamples);
  for (std::size_t i = 0; i < kSamples; ++i) {
    backdrop[i] = std::uint16_t(random());
    source[i] = std::uint16_t(random());
  }
  WritePpm16((dir / "b.ppm").string(), kSide, kSide, backdrop);
  WritePpm16((dir / "s.ppm").string(), kSide, kSide, source);
  const std::pair<std::uint32_t, const char*> modes[] = {
      {Key("norm"), "Over"}, {Key("mul "), "Multiply"}, {Key("lddg"), "LinearDodge"},
      {Key("diff"), "Difference"}, {Key("scrn"), "Screen"}};
  for (const auto& [key, compose] : modes) {
    const std::string out = (dir / "o.ppm").string();
    const std::string command = "convert " + (dir / "b.ppm").string() + " " + (dir / "s.ppm").string() +
                                " -compose " + compose + " -composite -depth 16 " + out;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const std::vector<std::uint16_t> expected = ReadPpm16(out, kSamples);
    ASSERT_EQ(expected.size(), kSamples) << compose;
    int worst = 0;
    for (std::size_t p = 0; p < kSamples; p += 3) {
      auto f = [](std::uint16_t v) { return float(v) / 65535.0f; };
      const Rgb mixed = Blend(key, Rgb{f(backdrop[p]), f(backdrop[p + 1]), f(backdrop[p + 2])},
                              Rgb{f(source[p]), f(source[p + 1]), f(source[p + 2])}, true);
      const float got[3] = {mixed.r, mixed.g, mixed.b};
      for (int c = 0; c < 3; ++c)
        worst = std::max(worst, std::abs(int(std::lround(got[c] * 65535.0f)) - int(expected[p + std::size_t(c)])));
    }
    EXPECT_LE(worst, 1) << compose << ": levels apart at worst";
  }
  std::filesystem::remove_all(dir);
}

TEST(Stack, RebuildsAMultiplyAndAddStackExactlyInFloatAndClipsAtIntegerDepths) {
  // Top first: fog (normal, alpha 0.25), an added pass, a multiplier above 1, an opaque base.
  const ColourValue fog{0.25f, 0.8f, 0.8f, 0.8f}, added{1.0f, 0.5f, 0.0f, 0.25f}, light{1.0f, 1.5f, 2.0f, 0.5f},
      base{1.0f, 0.5f, 0.25f, 1.0f};
  const std::vector<StackLayer> layers = {{"Fog", Key("norm"), true, 1.0f, &fog},
                                          {"Hidden", Key("norm"), false, 1.0f, &base},
                                          {"Added", Key("lddg"), true, 1.0f, &added},
                                          {"Light", Key("mul "), true, 1.0f, &light},
                                          {"Base", Key("norm"), true, 1.0f, &base}};
  const ColourValue f = RebuildStack(layers, 1, 32)[0];
  EXPECT_FLOAT_EQ(f.red, 0.75f * (0.5f * 1.5f + 0.5f) + 0.25f * 0.8f);
  EXPECT_FLOAT_EQ(f.green, 0.75f * (0.25f * 2.0f) + 0.25f * 0.8f);
  EXPECT_FLOAT_EQ(f.blue, 0.75f * (1.0f * 0.5f + 0.25f) + 0.25f * 0.8f);
  EXPECT_FLOAT_EQ(f.alpha, 1.0f);
  // At 16 bits the multiplier clips to 1 and the sum to 1 before the fog.
  const ColourValue c = RebuildStack(layers, 1, 16)[0];
  EXPECT_NEAR(c.red, 0.75f * 1.0f + 0.25f * 0.8f, 2e-5f);
  EXPECT_NEAR(c.green, 0.75f * 0.25f + 0.25f * 0.8f, 2e-5f);

  const std::vector<ColourValue> rebuilt = {f, f};
  const ColourValue reference[2] = {f, ColourValue{1.0f, f.red + 0.5f, f.green, f.blue}};
  const ErrorStats error = MeasureError(rebuilt, reference, 2);
  EXPECT_FLOAT_EQ(float(error.max), 0.5f);
  EXPECT_EQ(error.worstPixel, 1u);
  EXPECT_NEAR(error.mean, 0.5 / 6, 1e-6);
}

TEST(Stack, RelativeErrorIsOverTheLargerOfTheValueAndOne) {
  // Rounding on a bright pixel, a real difference on a pixel of value 1, the same on a dark one.
  const std::vector<ColourValue> image = {{1.0f, 660.001f, 0.0f, 0.0f}, {1.0f, 0.0f, 1.0002f, 0.0f}, {1.0f, 0.0f, 0.0f, 0.1002f}};
  const ColourValue reference[3] = {{1.0f, 660.0f, 0.0f, 0.0f}, {1.0f, 0.0f, 1.0f, 0.0f}, {1.0f, 0.0f, 0.0f, 0.1f}};
  const ErrorStats bright = MeasureError(image, reference, 1);
  EXPECT_NEAR(bright.max, 1e-3, 1e-4);  // 660 + 1e-3 in float is 660 + 2^-10
  EXPECT_NEAR(bright.maxRelative, bright.max / 660, 1e-12);
  const ErrorStats all = MeasureError(image, reference, 3);
  EXPECT_NEAR(all.maxRelative, 2e-4, 1e-6);
  EXPECT_EQ(all.worstRelativePixel, 1u) << "the dark pixel's error counts as at 1, no more";
}

}  // namespace
}  // namespace zurender
