// Linear render values to 8-bit sRGB for pictures people look at: the sRGB transfer curve, clipped
// to [0, 1] (NaN gives 0), rounded to the nearest code.
#pragma once

#include <cstdint>

namespace zurender {

std::uint8_t LinearToSrgb8(float linear);
// The linear value of an 8-bit sRGB code.
float Srgb8ToLinear(std::uint8_t code);

}  // namespace zurender
