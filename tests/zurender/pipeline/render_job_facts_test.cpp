// The pipeline's parts that decide before any tracing: the job's memory, and the host's answers
// recorded and replayed.
#include <gtest/gtest.h>

#include "zurender/base/byte_source.h"
#include "zurender/pipeline/job_memory.h"
#include "zurender/pipeline/render_job.h"
#include "zurender/pipeline/shading_source.h"

namespace zurender {
namespace {

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
