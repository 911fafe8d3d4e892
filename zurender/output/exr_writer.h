// Writes every render layer into one multi-layer EXR file of 32-bit floats, values as rendered
// (linear, negative and above 1 kept). Names, blend keys and the stack order: exr_file.h.
#pragma once

#include <span>
#include <string>

#include "zurender/output/layer_view.h"
#include "zurender/base/status.h"

namespace zurender {

// Lossless choices only. Measured with 18 render-like 640x480 layers (88.5 MB of floats) on the
// 2-core build machine, CPU time of the write and file size: none 57 ms, 88.5 MB; RLE 233 ms,
// 56.9 MB; ZIP (16 rows) 1010 ms, 22.8 MB (zlib level 1: 826 ms, 23.0 MB); ZIPS 902 ms, 23.3 MB;
// PIZ 767 ms, 28.2 MB. Only none and RLE write well under half a second, and RLE costs little
// more than none while saving a third, so it is the default; ZIP is there for archiving.
enum class ExrCompression { kNone, kRle, kZip };

struct ExrImage {
  int width = 0;
  int height = 0;
  std::span<const LayerView> layers;  // top of the stack first; the file refers to the pixels in place
  ExrCompression compression = ExrCompression::kRle;
  // The composite, written as the file's own R, G, B, A channels (no layer prefix), which is what
  // viewers show of a multi-layer file; empty: none.
  std::span<const ColourValue> merged;
};

Status WriteExr(const std::string& path, const ExrImage& image);

}  // namespace zurender
