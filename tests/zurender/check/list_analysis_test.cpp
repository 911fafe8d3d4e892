#include "zurender/check/list_analysis.h"

#include <gtest/gtest.h>

namespace zurender {
namespace {

// kind, name, blend mode index (0 normal, 8 multiply, 18 linear dodge), option1, off
ListEntry Entry(std::int32_t kind, const char* name, std::int32_t blend, std::int32_t option1 = 0, bool off = false) {
  return ListEntry{kind, off ? 0x1u : 0x0u, blend, option1, 0, name};
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string all;
  for (const std::string& line : lines) all += line + "\n";
  return all;
}

TEST(ListAnalysis, ExactStacksHaveNoObstacles) {
  const std::vector<ListEntry> exact = {Entry(13, "Fog", 0),           Entry(7, "Luminance", 18),
                                        Entry(8, "Reflections", 18),   Entry(6, "Specular", 18),
                                        Entry(11, "RT Refractions", 18), Entry(4, "Ambient/GI", 18, 1),
                                        Entry(3, "Shadows", 8, 1),     Entry(2, "Lights", 8),
                                        Entry(1, "Diffuse Pack", 0)};
  EXPECT_EQ(Joined(StackObstacles(exact, {true, false})), "");
  // The default list: only the pack is on, and it carries everything.
  const std::vector<ListEntry> defaults = {Entry(7, "Luminance", 18, 0, true), Entry(3, "Shadows", 8, 1, true),
                                           Entry(1, "Diffuse Pack", 0)};
  EXPECT_EQ(Joined(StackObstacles(defaults, {false, true})), "");
  EXPECT_EQ(Joined(StackObstacles(defaults, {true, false})), "the scene's fog is in no layer: add \"Fog\" on top\n");
}

TEST(ListAnalysis, NamesWhatARoadListCannotRebuild) {
  // As listed, the opaque pack on top hides the rest.
  const std::vector<ListEntry> road = {Entry(1, "Diffuse Pack", 0), Entry(2, "Lights", 8), Entry(6, "Specular", 18)};
  const std::string listed = Joined(StackObstacles(road, {false, false}));
  EXPECT_NE(listed.find("\"Diffuse Pack\" is an opaque normal layer: it covers the 2 shown layer(s)"), std::string::npos)
      << listed;
  EXPECT_NE(listed.find("ambient light (D*A) is in no layer"), std::string::npos) << listed;
  // Turned round, the pack's additives and the specular pass lie beneath the multiply layer.
  const std::vector<ListEntry> reversed = {road[2], road[1], road[0]};
  const std::string turned = Joined(StackObstacles(reversed, {false, false}));
  EXPECT_EQ(turned.find("opaque normal layer"), std::string::npos) << turned;
  EXPECT_NE(turned.find("the pack's added passes (luminance, reflections, refractions) lie beneath the multiply layer "
                        "\"Lights\""),
            std::string::npos)
      << turned;
}

TEST(ListAnalysis, NamesDoubleCountsAndMissingPasses) {
  const std::vector<ListEntry> list = {Entry(5, "Additives Pack", 1), Entry(9, "RT Reflections", 18),
                                       Entry(4, "Ambient/GI", 18, 0), Entry(1, "Diffuse Pack", 0)};
  const std::string all = Joined(StackObstacles(list, {false, false}));
  EXPECT_NE(all.find("counted twice: specular, luminance, refractions"), std::string::npos) << all;
  EXPECT_NE(all.find("\"RT Reflections\" without \"Bitmap Reflections\""), std::string::npos) << all;
  EXPECT_NE(all.find("raw ambient light A, not D*A"), std::string::npos) << all;
  EXPECT_NE(all.find("\"Additives Pack\" is blended as screen, not added"), std::string::npos) << all;
}

}  // namespace
}  // namespace zurender
