// Per-sample sums of the light reaching the shaded point, with and without shadows.
#pragma once

#include <cstdint>

#include "host/colour_value.h"

struct LightSums {
  std::uint8_t computed;        // 1 once the sums of the current fill call are complete
  std::uint8_t includeAmbient;  // 1 when no enabled "Ambient/GI" layer exists
  std::uint8_t balanceShadows;  // 1 when the first enabled "Shadows" layer asks for the clamp
  ColourValue unshadowed;       // alpha 1.0
  ColourValue shadowed;         // alpha 1.0
  ColourValue ambient;          // the ambient component, or {1, 0, 0, 0}
};
