// Rebuilding an image from its layer stack as an image editor does, and measuring how far the
// result is from a reference.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "host/colour_value.h"

namespace zurender {

struct StackLayer {
  std::string name;
  std::uint32_t blendKey = 0;
  bool visible = true;
  float opacity = 1.0f;               // the layer's opacity, 0 to 1
  const ColourValue* pixels = nullptr;  // straight alpha, linear
};

// The composite of the visible layers, bottom-up over a transparent canvas. bits is the file's
// depth: at 8 and 16 every layer and every intermediate result is held to [0, 1] and rounded to
// the depth's levels, as an editor's integer pixels are; at 32 nothing is clipped.
std::vector<ColourValue> RebuildStack(const std::vector<StackLayer>& topFirst, std::size_t pixelCount, int bits);

struct ErrorStats {
  double max = 0;
  double mean = 0;
  double p99 = 0;  // 99th percentile over every channel of every pixel
  std::size_t worstPixel = 0;
  // The error relative to the larger of the reference's magnitude and 1: float rounds every
  // value to a number of significant digits, so a bright pixel's rounding is larger in absolute
  // terms, and on dark ones (below 1) it is held to what it would be at 1.
  double maxRelative = 0;
  std::size_t worstRelativePixel = 0;
};

// Per-channel error of the colour channels (alpha ignored); NaN counts as an infinite error.
ErrorStats MeasureError(const std::vector<ColourValue>& image, const ColourValue* reference, std::size_t pixelCount);

}  // namespace zurender
