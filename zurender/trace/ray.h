// A ray and what it hits.
#pragma once

#include <limits>

#include "zurender/scene/vec3.h"

namespace zurender {

constexpr float kNoHit = std::numeric_limits<float>::infinity();

struct Ray {
  Vec3 origin;
  Vec3 direction;  // unit length
};

// The nearest surface along a ray. Exactly one of primitive and plane is >= 0 when t < kNoHit.
struct Hit {
  float t = kNoHit;
  int primitive = -1;  // index into the geometry's finite primitives
  int plane = -1;      // index into its planes
  float u = 0.0f;      // triangle barycentrics of v1 and v2
  float v = 0.0f;
};

}  // namespace zurender
