#include "zurender/pipeline/render_job.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <vector>

#include "zurender/pipeline/parallel.h"
#include "zurender/pipeline/progress.h"
#include "zurender/pipeline/shading_source.h"

namespace zurender {
namespace {

constexpr int kTileSide = 16;
constexpr std::size_t kTilePixels = std::size_t(kTileSide) * kTileSide;
// A worker's light samples take at most this much, unless one pixel's alone take more.
constexpr std::size_t kLightBufferBytes = std::size_t(1) << 20;

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

struct Tile {
  int x0, y0, x1, y1;
};

Tile TileAt(int index, int tilesAcross, int width, int height) {
  const int x0 = (index % tilesAcross) * kTileSide, y0 = (index / tilesAcross) * kTileSide;
  return Tile{x0, y0, std::min(x0 + kTileSide, width), std::min(y0 + kTileSide, height)};
}

// One worker's buffers.
struct Worker {
  Worker(std::size_t layerCount, std::size_t lightCount)
      : shades(kTilePixels), lights(std::max<std::size_t>(1, PixelsPerBatch(lightCount) * lightCount)),
        pixels(kTilePixels), writes(layerCount, kTilePixels) {}
  std::vector<PixelShade> shades;
  std::vector<LightSample> lights;
  std::vector<std::size_t> pixels;
  TileWrites writes;
  int xs[kTilePixels], ys[kTilePixels];  // the tile's pixels
};

}  // namespace

std::size_t PixelsPerBatch(std::size_t lightCount) {
  if (lightCount == 0) return kTilePixels;
  return std::clamp<std::size_t>(kLightBufferBytes / (lightCount * sizeof(LightSample)), 1, kTilePixels);
}

std::uint64_t WorkerBytes(std::size_t layerCount, std::size_t lightCount) {
  const std::uint64_t samples = std::max<std::uint64_t>(1, std::uint64_t(PixelsPerBatch(lightCount)) * lightCount);
  return samples * sizeof(LightSample) + kTilePixels * (sizeof(PixelShade) + sizeof(std::size_t)) +
         std::uint64_t(layerCount) * kTilePixels * (sizeof(ColourValue) + 1) + layerCount * sizeof(std::uint64_t);
}

namespace {

// One frame's run: the tiles handed out in turn to the workers, each traced and given to the
// plug-in, and what the run counts.
class FrameRun {
 public:
  FrameRun(ShadingSource& shading, PixelFiller& filler, Frame& frame)
      : shading_(shading),
        filler_(filler),
        frame_(frame),
        width_(frame.width()),
        height_(frame.height()),
        tilesAcross_((width_ + kTileSide - 1) / kTileSide),
        tileCount_(tilesAcross_ * ((height_ + kTileSide - 1) / kTileSide)),
        lightCount_(std::size_t(shading.LightCount())),
        batch_(PixelsPerBatch(lightCount_)) {}

  // A worker's whole share: tiles until none is left.
  void Work(Worker& w) {
    std::uint64_t tileRays = 0;
    for (int index = nextTile_++; index < tileCount_; index = nextTile_++) RenderTile(w, index, tileRays);
    rays_ += tileRays;
    pluginLock_.lock();
    w.writes.AddCountsTo(frame_);
    pluginLock_.unlock();
  }

  FrameStats Finish(Clock::time_point start) {
    progress_.Finish();
    frame_.FillEdgeMasks();
    stats_.rays = rays_;
    stats_.traceSeconds = Seconds(Clock::now() - start);
    return stats_;
  }

 private:
  void RenderTile(Worker& w, int index, std::uint64_t& tileRays) {
    const Tile area = TileAt(index, tilesAcross_, width_, height_);
    std::size_t n = 0;
    for (int y = area.y0; y < area.y1; ++y)
      for (int x = area.x0; x < area.x1; ++x, ++n) {
        w.xs[n] = x;
        w.ys[n] = y;
        w.pixels[n] = std::size_t(y) * std::size_t(width_) + std::size_t(x);
      }
    for (std::size_t first = 0; first < n; first += batch_) {
      const std::size_t last = std::min(n, first + batch_);
      // Trace the pixels and fill the host's layers, in parallel with the other workers.
      for (std::size_t i = first; i < last; ++i) {
        shading_.Shade(w.xs[i], w.ys[i], w.shades[i], &w.lights[(i - first) * lightCount_], tileRays);
        frame_.FillFromShade(w.pixels[i], w.shades[i]);
      }
      // Then the plug-in, one pixel at a time; its writes reach the frame after the tile.
      pluginLock_.lock();
      const auto entered = Clock::now();
      for (std::size_t i = first; i < last; ++i)
        if (filler_.FillPixel(w.xs[i], w.ys[i], i, w.shades[i], &w.lights[(i - first) * lightCount_], w.writes) != 0)
          ++stats_.failedFills;
      stats_.pluginSeconds += Seconds(Clock::now() - entered);
      if (last == n) progress_.Update(++tilesDone_, std::size_t(tileCount_));
      pluginLock_.unlock();
    }
    w.writes.CopyInto(frame_, w.pixels.data(), n);
  }

  ShadingSource& shading_;
  PixelFiller& filler_;
  Frame& frame_;
  const int width_, height_, tilesAcross_, tileCount_;
  const std::size_t lightCount_, batch_;
  std::atomic<int> nextTile_{0};
  Lock pluginLock_;  // the plug-in is not reentrant: one FillLayers call at a time
  FrameStats stats_;  // but for the rays, counted under pluginLock_
  std::size_t tilesDone_ = 0;
  Progress progress_{"rendering"};
  std::atomic<std::uint64_t> rays_{0};
};

}  // namespace

FrameStats RenderFrame(ShadingSource& shading, PixelFiller& filler, Frame& frame, int threads) {
  const auto start = Clock::now();
  const std::size_t lightCount = std::size_t(shading.LightCount());
  FrameRun run(shading, filler, frame);
  std::vector<std::unique_ptr<Worker>> workers;
  for (int i = 0; i < threads; ++i) workers.push_back(std::make_unique<Worker>(frame.layerCount(), lightCount));
  RunOnThreads(threads, [&](int worker) { run.Work(*workers[std::size_t(worker)]); });
  return run.Finish(start);
}

}  // namespace zurender
