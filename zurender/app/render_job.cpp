#include "zurender/app/render_job.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <vector>

#include "zurender/app/parallel.h"
#include "zurender/app/progress.h"
#include "zurender/app/shading_source.h"

namespace zurender {
namespace {

constexpr int kTileSide = 16;

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

struct Tile {
  int x0, y0, x1, y1;
};

Tile TileAt(int index, int tilesAcross, int width, int height) {
  const int x0 = (index % tilesAcross) * kTileSide, y0 = (index / tilesAcross) * kTileSide;
  return Tile{x0, y0, std::min(x0 + kTileSide, width), std::min(y0 + kTileSide, height)};
}

}  // namespace

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

  RunOnThreads(threads, [&](int) {
    std::vector<PixelShade> shades(kTileSide * kTileSide);
    std::vector<LightSample> lights(std::max<std::size_t>(1, kTileSide * kTileSide * lightCount));
    std::vector<std::size_t> pixels(kTileSide * kTileSide);
    TileWrites writes(frame.layerCount(), kTileSide * kTileSide);
    std::uint64_t tileRays = 0;
    for (int index = nextTile++; index < tileCount; index = nextTile++) {
      const Tile tile = TileAt(index, tilesAcross, width, height);
      // Trace the tile and fill the host's layers, in parallel with the other workers.
      std::size_t n = 0;
      for (int y = tile.y0; y < tile.y1; ++y)
        for (int x = tile.x0; x < tile.x1; ++x, ++n) {
          pixels[n] = std::size_t(y) * std::size_t(width) + std::size_t(x);
          shading.Shade(x, y, shades[n], &lights[n * lightCount], tileRays);
          frame.FillFromShade(pixels[n], shades[n]);
        }
      // Then the plug-in, one pixel at a time; its writes reach the frame after it is done.
      pluginLock.lock();
      const auto entered = Clock::now();
      std::size_t i = 0;
      for (int y = tile.y0; y < tile.y1; ++y)
        for (int x = tile.x0; x < tile.x1; ++x, ++i)
          if (filler.FillPixel(x, y, i, shades[i], &lights[i * lightCount], writes) != 0) ++stats.failedFills;
      stats.pluginSeconds += Seconds(Clock::now() - entered);
      progress.Update(++tilesDone, std::size_t(tileCount));
      pluginLock.unlock();
      writes.CopyInto(frame, pixels.data(), n);
    }
    rays += tileRays;
    pluginLock.lock();
    writes.AddCountsTo(frame);
    pluginLock.unlock();
  });
  progress.Finish();
  frame.FillEdgeMasks();
  stats.rays = rays;
  stats.traceSeconds = Seconds(Clock::now() - start);
  return stats;
}

}  // namespace zurender
