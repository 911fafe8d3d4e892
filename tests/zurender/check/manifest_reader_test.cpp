// The check's reading of a manifest, and its comparing of a render's files with it.
#include <gtest/gtest.h>

#include "zurender/check/manifest_reader.h"
#include "zurender/check/render_agreement.h"

namespace zurender {
namespace {

TEST(ManifestReader, AFieldOfTheWrongTypeIsAMessageNamingIt) {
  const std::string good = R"("size": [8, 6], "depth": 16, "layers": [{"name": "Diffuse Pack"}])";
  const struct {
    std::string text;
    std::string error;
  } cases[] = {
      {"{" + good + R"(, "fog": "yes"})", "m.json: fog: expected true or false"},
      {"{" + good + R"(, "settings": []})", "m.json: settings: expected an object"},
      {"{" + good + R"(, "settings": {"storedList": 5}})", "m.json: settings.storedList: expected a base64 text"},
      {R"({"size": [8], "depth": 16, "layers": []})", "m.json: size: expected [width, height], each 1 to 30000"},
      {R"({"size": [8, 6], "depth": "16", "layers": []})", "m.json: depth: expected 8, 16 or 32"},
      {R"({"size": [8, 6], "depth": 16, "layers": [{"name": 3}]})", "m.json: layers[0].name: expected a string"},
      {"{" + good + R"(, "files": [1]})", "m.json: files[0]: expected a file name"},
      {"[]", "m.json: expected an object"},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseManifest(c.text, "m.json").message(), c.error) << c.text;
  const Result<ManifestFacts> facts = ParseManifest("{" + good + R"(, "fog": true, "files": ["render.psd"]})", "m.json");
  ASSERT_TRUE(facts.ok()) << facts.message();
  EXPECT_EQ(facts->layerNames, std::vector<std::string>{"Diffuse Pack"});
  EXPECT_TRUE(facts->fog && facts->Lists("render.psd") && !facts->Lists("render.exr"));
}

TEST(RenderAgreement, AFileOfAnotherRenderIsToldBySizeDepthOrLayers) {
  const RenderFileFacts manifest{"manifest.json", 200, 150, 16, {"Fog", "Diffuse Pack"}};
  RenderFileFacts exr{"render.exr", 200, 150, 0, {"Fog", "Diffuse Pack"}};
  EXPECT_EQ(Disagreement(manifest, exr), "");
  exr.width = 64;
  exr.height = 48;
  EXPECT_EQ(Disagreement(manifest, exr), "render.exr is not of the render manifest.json describes: it is 64x48, not 200x150");
  const RenderFileFacts psd8{"render.psd", 200, 150, 8, {"Fog", "Diffuse Pack"}};
  EXPECT_EQ(Disagreement(manifest, psd8), "render.psd is not of the render manifest.json describes: it is 8-bit, not 16-bit");
  const RenderFileFacts fewer{"render.psd", 200, 150, 16, {"Diffuse Pack"}};
  EXPECT_EQ(Disagreement(manifest, fewer), "render.psd is not of the render manifest.json describes: it holds 1 layers, not 2");
  const RenderFileFacts renamed{"render.psd", 200, 150, 16, {"Fog", "Lights"}};
  EXPECT_EQ(Disagreement(manifest, renamed),
            "render.psd is not of the render manifest.json describes: its layer 2 is \"Lights\", not \"Diffuse Pack\"");
}

}  // namespace
}  // namespace zurender
