// The diffuse colour of a material at a point, with its procedural texture applied.
#pragma once

#include "zurender/scene/material.h"
#include "zurender/scene/vec3.h"

namespace zurender {

// footprint: the width in world units that one pixel covers at the point. The pattern is
// averaged over it, so a far-away checker floor fades to its mean colour instead of flickering
// into moire at one sample per pixel.
Vec3 SurfaceColour(const Material& material, Vec3 point, float footprint);

}  // namespace zurender
