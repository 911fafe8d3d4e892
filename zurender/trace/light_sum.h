// The light sums exactly as the plug-in forms them from the light iterator's answers. The
// ShadowedLight component must equal the plug-in's shadowed sum bit for bit, so the tracer forms
// it here and nowhere else: the same float operations, in the same order, light by light.
#pragma once

#include "zurender/scene/vec3.h"
#include "zurender/trace/pixel_shade.h"

namespace zurender {

struct LightSums {
  Vec3 unshadowed;  // every light, shadows ignored
  Vec3 shadowed;    // the lights with a shadow flag, through their shadow colour
};

// The surface fields that shape the sums.
struct SurfaceLighting {
  Vec3 backLight;  // weights of light arriving from behind; all 0: not back-lit
  float exponent;  // light exponent; exactly 1 means no power is taken
};

// Adds one light's sample to the sums; colour is the light record's colour (colour x intensity).
void AddLightSample(LightSums& sums, const LightSample& sample, const float colour[3], const SurfaceLighting& surface);

}  // namespace zurender
