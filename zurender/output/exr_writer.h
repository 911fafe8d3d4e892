// Writes every render layer into one multi-layer EXR file, values as rendered (linear, negative
// and above 1 kept), colour premultiplied by alpha as the format has it: a layer whose alpha is
// coverage gets its colour multiplied by it, an opaque one is written with alpha 1 (LayerAlpha).
// Names, blend keys and the stack order: exr_file.h.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "zurender/output/layer_view.h"
#include "zurender/base/status.h"

namespace zurender {

// Lossless choices. Measured with the built-in scene at 640x480 with every kind (16 layers and the
// composite, 83.6 MB of floats) on the 2-core build machine, CPU time of the write and file size:
// none 0.07 s, 83.6 MB; RLE 0.20 s, 43.4 MB; ZIP 0.90 s, 21.6 MB (with half layers: RLE 0.15 s,
// 11.3 MB; ZIP 0.42 s, 7.2 MB). ZIP is the default: half of RLE's size, for the cost of about a
// second of one core, which the other files' writing overlaps.
enum class ExrCompression { kNone, kRle, kZip };

struct ExrImage {
  int width = 0;
  int height = 0;
  std::span<const LayerView> layers;  // top of the stack first; read a strip of rows at a time
  ExrCompression compression = ExrCompression::kZip;
  // The composite, written as the file's own R, G, B, A channels (no layer prefix), which is what
  // viewers show of a multi-layer file; its alpha is coverage. Empty: none.
  std::span<const ColourValue> merged = {};
  // The layers' channels as 16-bit half floats, half the size: about three decimal digits, values
  // past 65504 become infinite. The composite stays in 32-bit float.
  bool halfLayers = false;
  std::string software = {};  // the program that wrote the file, e.g. "zurender 1.0"; empty: none
  std::int64_t created = -1; // seconds since 1970 UTC; negative: no creation time
};

Status WriteExr(const std::string& path, const ExrImage& image);

}  // namespace zurender
