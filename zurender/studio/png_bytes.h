// 8-bit sRGB PNG pictures made in memory, for the page: nothing of them touches the disk.
#pragma once

#include <cstdint>
#include <vector>

namespace zurender {

// pixels: height rows of width*channels bytes, channels 3 or 4 (straight alpha); empty on failure.
std::vector<std::uint8_t> EncodePng(int width, int height, int channels, const std::vector<std::uint8_t>& pixels);

}  // namespace zurender
