// The contact sheet: one PNG with every layer as a labelled thumbnail in a grid, under a title, on
// a neutral dark background. It is what a person looks at first, so thumbnails show transparency
// over a checkerboard, values through the sRGB curve (clipped), and each label gives the layer's
// number (1 = top of the stack), name (a mask's with its number), blend mode and "hidden" where
// the layer is.
#pragma once

#include <span>
#include <string>

#include "zurender/output/layer_view.h"
#include "zurender/base/status.h"

namespace zurender {

struct ContactSheet {
  std::string title;     // e.g. the scene's name
  std::string details;   // a second line, e.g. "640 x 480, 16-bit, 18 layers"
  int width = 0;         // of every layer
  int height = 0;
  std::span<const LayerView> layers;  // top of the stack first
  // Each layer's blend mode as a person calls it, e.g. "multiply"; where none is given, the
  // four-character key in quotes.
  std::span<const std::string> blendModes = {};
};

Status WriteContactSheet(const std::string& path, const ContactSheet& sheet);

// The most layers one sheet shows: past it the grid would pass the largest side a sheet has.
std::size_t ContactSheetCapacity();

}  // namespace zurender
