// Blend mode index to the four-character key of the layered image format the host writes.
#pragma once

#include <cstdint>

#include "host/blend_mode.h"

namespace zu {

// The key for index, 'norm' for any index outside 0 to 22, negative ones included.
std::uint32_t BlendModeKey(std::int32_t index);

}  // namespace zu
