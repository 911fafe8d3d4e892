// Per-sample sums of the light reaching the shaded point, with and without shadows.
#pragma once

#include <cstdint>

#include "host/colour_value.h"
#include "render/fill_context.h"

namespace zu {

struct LightSums {
  std::uint8_t computed;        // 1 once the sums of the current fill call are complete
  std::uint8_t includeAmbient;  // 1 when no enabled "Ambient/GI" layer exists
  std::uint8_t balanceShadows;  // 1 when the first enabled "Shadows" layer asks for the clamp
  ColourValue unshadowed;       // alpha 1.0
  ColourValue shadowed;         // alpha 1.0
  ColourValue ambient;          // the ambient component, or {1, 0, 0, 0}
};

// No light at all: alpha 1, every channel 0.
constexpr ColourValue kNoLight{1.0f, 0.0f, 0.0f, 0.0f};

// Below this a diffuse channel takes no part in the clamp, and no light sum is divided by less.
constexpr float kTinyLight = 0.0001f;

// Walks the host's lights, adds the ambient component when it counts, clamps the unshadowed
// light when asked to, and marks the sums computed.
void SumLights(FillContext& fill);

// Makes the sums complete for the current fill call: the first layer that needs them sums the
// lights, the others find them computed. Inline, since every such layer asks.
inline void ComputeLightSums(FillContext& fill) {
  if (!fill.sums.computed) SumLights(fill);
}

// Lowers the unshadowed light, all channels by one factor, where the unshadowed lit surface
// would go above 1 and the shadowed one would not get there. Leaves the sums as they are when the
// host refuses the diffuse component.
void ClampUnshadowedLight(FillContext& fill);

}  // namespace zu
