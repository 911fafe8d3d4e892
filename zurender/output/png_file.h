// 8-bit sRGB PNG pictures: files written atomically, or bytes made in memory.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "zurender/base/status.h"

namespace zurender {

// pixels: height rows of width*channels bytes, channels 3 (RGB) or 4 (RGBA, alpha not
// premultiplied), sRGB-encoded; the file says so with an sRGB chunk.
Status WritePng8(const std::string& path, int width, int height, int channels, std::span<const std::uint8_t> pixels);

// The same picture as the bytes of a PNG file, made in memory; empty on failure.
std::vector<std::uint8_t> EncodePng(int width, int height, int channels, std::span<const std::uint8_t> pixels);

}  // namespace zurender
