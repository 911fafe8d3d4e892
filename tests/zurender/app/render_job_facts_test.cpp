// The render command's parts that decide before any tracing, and the check's reading of a
// manifest and comparing of files.
#include <gtest/gtest.h>

#include "zurender/app/job_memory.h"
#include "zurender/app/manifest_reader.h"
#include "zurender/app/render_job.h"
#include "zurender/app/shading_source.h"
#include "zurender/check/render_agreement.h"
#include "zurender/base/byte_source.h"

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

TEST(JobMemory, LightSamplesPerWorkerStayBoundedAndThreadsAreLoweredToFit) {
  // Up to the light count whose one pixel fills the fixed buffer, a worker holds the same.
  const std::uint64_t few = WorkerBytes(16, 3), many = WorkerBytes(16, 30000), most = WorkerBytes(16, 50000);
  EXPECT_LT(many, std::uint64_t(2) << 20);
  EXPECT_LT(most, std::uint64_t(2) << 20);
  EXPECT_LT(few, std::uint64_t(2) << 20);
  EXPECT_EQ(PixelsPerBatch(0), 256u);
  EXPECT_EQ(PixelsPerBatch(30000), 1u);
  EXPECT_EQ(WorkerBytes(16, 500000) - WorkerBytes(16, 0), 500000u * sizeof(LightSample) - sizeof(LightSample));

  JobMemory job;
  job.frame = kJobMemoryBudget - (std::uint64_t(100) << 20);
  job.perWorker = std::uint64_t(30) << 20;
  EXPECT_EQ(job.ThreadsThatFit(16), 3);
  EXPECT_EQ(job.ThreadsThatFit(2), 2);
  job.scene = std::uint64_t(200) << 20;
  EXPECT_EQ(job.ThreadsThatFit(16), 0);
  EXPECT_EQ(job.Describe(1), "4066 MiB (frame 3836 MiB, scene 200 MiB, 1 thread 30 MiB)");
}

// A scene without lights records no samples and replays none (once a reference bound to none).
class Unlit final : public ShadingSource {
 public:
  int LightCount() const override { return 0; }
  const float* LightColour(int) const override { return nullptr; }
  void Shade(int x, int y, PixelShade& shade, LightSample*, std::uint64_t&) override {
    shade = PixelShade{};
    shade.objectId = x + 10 * y;
  }
};

TEST(ShadingRecord, AFrameWithoutLightsIsRecordedAndReplayed) {
  Unlit source;
  ShadingRecord record(source, 2, 2, false);
  std::uint64_t rays = 0;
  PixelShade shade;
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) record.Shade(x, y, shade, nullptr, rays);
  const std::string path = ::testing::TempDir() + "unlit.zuhr";
  std::string error;
  ASSERT_TRUE(record.Write(path, error)) << error;
  const std::unique_ptr<ShadingRecord> replay = ShadingRecord::Read(path, 2, 2, error);
  ASSERT_NE(replay, nullptr) << error;
  replay->Shade(1, 1, shade, nullptr, rays);
  EXPECT_EQ(shade.objectId, 11);
  EXPECT_EQ(ShadingRecord::Read(path, 3, 2, error), nullptr);
  EXPECT_EQ(error, path + ": a recording of a 2x2 frame, not 3x2");
}

}  // namespace
}  // namespace zurender
