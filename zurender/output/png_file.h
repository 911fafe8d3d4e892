// 8-bit sRGB PNG files, written atomically.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "zurender/base/status.h"

namespace zurender {

// pixels: height rows of width*channels bytes, channels 3 (RGB) or 4 (RGBA, alpha not
// premultiplied), sRGB-encoded; the file says so with an sRGB chunk.
Status WritePng8(const std::string& path, int width, int height, int channels, std::span<const std::uint8_t> pixels);

}  // namespace zurender
