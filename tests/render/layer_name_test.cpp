// Declared names, short strings, blend keys and the component of each kind.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "host/abi.h"
#include "render/blend_mode_key.h"
#include "render/host_component.h"
#include "render/layer_name.h"
#include "render/short_string.h"

namespace {

using namespace zu;

std::string Text(const std::uint8_t* shortString) {
  return std::string(reinterpret_cast<const char*>(shortString + 1), shortString[0]);
}

TEST(LayerName, JoinsTheBaseNameAsTheModeSays) {
  struct Case {
    std::int32_t mode;
    const char* base;
    const char* layer;
    const char* expected;
  } cases[] = {
      {1, "Shot1_", "Lights", "Shot1_Lights"}, {2, "_Shot1", "Lights", "Lights_Shot1"},
      {0, "Shot1_", "Lights", "Lights"},       {3, "Shot1_", "Lights", "Lights"},
      {-1, "Shot1_", "Lights", "Lights"},      {1, nullptr, "Lights", "Lights"},
      {2, nullptr, "Lights", "Lights"},        {1, "Shot1_", nullptr, "Shot1_"},
      {0, "Shot1_", nullptr, ""},
  };
  for (const Case& c : cases) {
    std::uint8_t out[kDeclaredNameBytes];
    std::memset(out, 0xAA, sizeof out);
    ComposeLayerName(c.base, c.layer, c.mode, out);
    EXPECT_EQ(Text(out), c.expected) << "mode " << c.mode << " base " << (c.base ? c.base : "none");
    // Only the length byte and the characters are written.
    for (std::size_t i = 1 + out[0]; i < sizeof out; ++i) ASSERT_EQ(out[i], 0xAA) << "byte " << i << " mode " << c.mode;
  }
}

TEST(LayerName, IsCutAfter63Characters) {
  const std::string base(60, 'b');
  std::uint8_t out[kDeclaredNameBytes];
  ComposeLayerName(base.c_str(), "xyz", kBaseNameFirst, out);
  EXPECT_EQ(Text(out), base + "xyz") << "exactly 63 characters are all kept";
  ComposeLayerName(base.c_str(), "wxyz", kBaseNameFirst, out);
  EXPECT_EQ(Text(out), base + "wxy") << "the 64th character is dropped";
  ComposeLayerName(base.c_str(), "wxyz", kBaseNameLast, out);
  EXPECT_EQ(Text(out), "wxyz" + base.substr(0, 59));
  const std::string longBase(300, 'q');
  ComposeLayerName(longBase.c_str(), "Lights", kBaseNameFirst, out);
  EXPECT_EQ(Text(out), longBase.substr(0, 63));
}

TEST(ShortString, CopiesCutsAndConvertsInPlace) {
  std::uint8_t buffer[kShortStringMaxLength + 1];
  EXPECT_EQ(ToShortString("Edge Mask", buffer), buffer);
  EXPECT_EQ(Text(buffer), "Edge Mask");
  EXPECT_EQ(Text(ToShortString(nullptr, buffer)), "");
  EXPECT_EQ(Text(ToShortString("Edge Mask", buffer, 4)), "Edge");

  const std::string long300(300, 'z');
  EXPECT_EQ(Text(ToShortString(long300.c_str(), buffer)), long300.substr(0, 255));

  char inPlace[kShortStringMaxLength + 1] = "Reflections";
  auto* converted = ToShortString(inPlace, reinterpret_cast<std::uint8_t*>(inPlace));
  EXPECT_EQ(Text(converted), "Reflections");
}

TEST(BlendModeKey, MapsEveryIndexAndNormalOutsideTheTable) {
  const char keys[][5] = {"norm", "scrn", "dark", "lite", "hue ", "sat ", "colr", "lum ", "mul ", "diss", "over", "hLit",
                        "sLit", "diff", "smud", "div ", "idiv", "lbrn", "lddg", "vLit", "lLit", "pLit", "hMix"};
  static_assert(sizeof keys / sizeof keys[0] == kBlendModeCount);
  for (std::int32_t i = 0; i < kBlendModeCount; ++i) EXPECT_EQ(BlendModeKey(i), FourCC(keys[i])) << "index " << i;
  EXPECT_EQ(BlendModeKey(8), 0x6D756C20u) << "'mul ' with its first character most significant";
  for (std::int32_t outside : {23, 24, INT_MAX, -1, -23, INT_MIN})
    EXPECT_EQ(BlendModeKey(outside), FourCC("norm")) << "index " << outside;
}

TEST(KindToComponent, NamesTheHostComponentOfEachKind) {
  const std::int32_t expected[] = {-1, -1, -1, -1, 5, -1, 4, 3, 6, -1, 7, 8, 11, 10, -1, 9, -1};
  for (std::int32_t kind = 0; kind <= 16; ++kind) EXPECT_EQ(KindToComponent(kind), expected[kind]) << "kind " << kind;
  EXPECT_EQ(KindToComponent(-3), -1);
}

}  // namespace
