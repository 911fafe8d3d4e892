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

FrameStats RenderFrame(ShadingSource& shading, PixelFiller& filler, Frame& frame, int threads) {
  const int width = frame.width(), height = frame.height();
  const int tilesAcross = (width + kTileSide - 1) / kTileSide;
  const int tileCount = tilesAcross * ((height + kTileSide - 1) / kTileSide);
  const std::size_t lightCount = std::size_t(shading.LightCount());

  std::atomic<int> nextTile{0};
  Lock pluginLock;  // the plug-in is not reentrant: one FillLayers call at a time
  FrameStats stats;
  std::size_t tilesDone = 0;
  Progress progress("rendering");
  std::atomic<std::uint64_t> rays{0};
  const auto start = Clock::now();

  const std::size_t batch = PixelsPerBatch(lightCount);
  std::vector<std::unique_ptr<Worker>> workers;
  for (int i = 0; i < threads; ++i) workers.push_back(std::make_unique<Worker>(frame.layerCount(), lightCount));

  RunOnThreads(threads, [&](int worker) {
    Worker& w = *workers[std::size_t(worker)];
    int xs[kTilePixels], ys[kTilePixels];
    std::uint64_t tileRays = 0;
    for (int index = nextTile++; index < tileCount; index = nextTile++) {
      const Tile tile = TileAt(index, tilesAcross, width, height);
      std::size_t n = 0;
      for (int y = tile.y0; y < tile.y1; ++y)
        for (int x = tile.x0; x < tile.x1; ++x, ++n) {
          xs[n] = x;
          ys[n] = y;
          w.pixels[n] = std::size_t(y) * std::size_t(width) + std::size_t(x);
        }
      for (std::size_t first = 0; first < n; first += batch) {
        const std::size_t last = std::min(n, first + batch);
        // Trace the pixels and fill the host's layers, in parallel with the other workers.
        for (std::size_t i = first; i < last; ++i) {
          shading.Shade(xs[i], ys[i], w.shades[i], &w.lights[(i - first) * lightCount], tileRays);
          frame.FillFromShade(w.pixels[i], w.shades[i]);
        }
        // Then the plug-in, one pixel at a time; its writes reach the frame after the tile.
        pluginLock.lock();
        const auto entered = Clock::now();
        for (std::size_t i = first; i < last; ++i)
          if (filler.FillPixel(xs[i], ys[i], i, w.shades[i], &w.lights[(i - first) * lightCount], w.writes) != 0)
            ++stats.failedFills;
        stats.pluginSeconds += Seconds(Clock::now() - entered);
        if (last == n) progress.Update(++tilesDone, std::size_t(tileCount));
        pluginLock.unlock();
      }
      w.writes.CopyInto(frame, w.pixels.data(), n);
    }
    rays += tileRays;
    pluginLock.lock();
    w.writes.AddCountsTo(frame);
    pluginLock.unlock();
  });
  progress.Finish();
  frame.FillEdgeMasks();
  stats.rays = rays;
  stats.traceSeconds = Seconds(Clock::now() - start);
  return stats;
}

}  // namespace zurender
