// One render layer as the application hands it to the writers. The pixels are borrowed: they
// must stay valid, unchanged, for the duration of the write call and are never copied whole.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "host/colour_value.h"

namespace zurender {

// What a layer's alpha says, for a format that premultiplies colour by alpha (the EXR).
enum class LayerAlpha {
  kCoverage,  // how much of the pixel the layer covers: the colour is multiplied by it
  kOpaque,    // nothing: the layer covers every pixel, and its values are all in its colour
};

struct LayerView {
  std::string_view name;                 // bytes as the plug-in declared them, Windows-1252
  std::uint32_t blendKey = 0;           // four-character code, first character in the top byte
  bool visible = true;
  std::span<const ColourValue> pixels;   // width*height, row-major, top row first, linear, straight alpha
  LayerAlpha alpha = LayerAlpha::kCoverage;
  std::optional<std::int32_t> mask = std::nullopt;  // a mask layer's number: white where objects of that number are
};

// The name a layer goes by where two layers must not look alike: a mask's with its number, for
// every mask layer has the same declared name ("Mask of #" gives "Mask of #3", "Car" gives
// "Car #3"); any other layer's as declared. Windows-1252 bytes, like the name.
inline std::string ShownName(const LayerView& layer) {
  std::string shown(layer.name);
  if (!layer.mask) return shown;
  if (shown.empty() || shown.back() != '#') shown += shown.empty() ? "#" : " #";
  return shown + std::to_string(*layer.mask);
}

}  // namespace zurender
