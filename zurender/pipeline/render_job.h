// One frame: the scene traced on every core, each finished tile handed to the plug-in one pixel
// at a time, from one thread at a time.
#pragma once

#include <cstddef>
#include <cstdint>

#include "zurender/pipeline/frame.h"
#include "zurender/trace/pixel_shade.h"

namespace zurender {

class ShadingSource;

// The plug-in's part of one pixel: the host's answers for it are the shade and the lights.
class PixelFiller {
 public:
  virtual ~PixelFiller() = default;
  // Calls the plug-in once for the pixel, whose writes go to writes at tilePixel; its result (0
  // when every write was taken).
  virtual std::int32_t FillPixel(int x, int y, std::size_t tilePixel, const PixelShade& shade,
                                 const LightSample* lights, TileWrites& writes) = 0;
};

struct FrameStats {
  double traceSeconds = 0;    // wall time of the whole frame, tracing and filling
  double pluginSeconds = 0;   // time inside the plug-in's calls, the host's answers included
  std::uint64_t rays = 0;
  std::uint64_t failedFills = 0;  // pixels for which the plug-in reported a refused request
};

// Shades and fills every pixel of the frame; the edge masks are filled last. Each worker's
// buffers are taken before any starts, and none grows while they run.
FrameStats RenderFrame(ShadingSource& shading, PixelFiller& filler, Frame& frame, int threads);

// A worker traces this many pixels of its tile, keeping their light samples, before it hands
// them to the plug-in: a whole tile while the samples fit in a fixed buffer, fewer as the scene's
// lights grow, and one pixel at a time past that, whose samples alone then fill the buffer.
std::size_t PixelsPerBatch(std::size_t lightCount);
// What one worker holds while it runs: its light samples, shades and the plug-in's tile writes.
std::uint64_t WorkerBytes(std::size_t layerCount, std::size_t lightCount);

}  // namespace zurender
