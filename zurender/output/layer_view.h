// One render layer as the application hands it to the writers. The pixels are borrowed: they
// must stay valid, unchanged, for the duration of the write call and are never copied whole.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "host/colour_value.h"

namespace zurender {

struct LayerView {
  std::string_view name;                 // bytes as the plug-in declared them, read as Latin-1
  std::uint32_t blendKey = 0;           // four-character code, first character in the top byte
  bool visible = true;
  std::span<const ColourValue> pixels;   // width*height, row-major, top row first, linear values
};

}  // namespace zurender
