// The colour profile of the render's values: RGB with sRGB's primaries and D65 white, but linear
// light (gamma 1), which is what the layers hold. Editors need it to show linear layers right.
#pragma once

#include <cstdint>
#include <vector>

#include "zurender/base/status.h"

namespace zurender {

// The ICC profile bytes, described as "Linear sRGB (gamma 1)".
Result<std::vector<std::uint8_t>> LinearSrgbProfile();

}  // namespace zurender
