// How the components of a shaded point make its colour. The plug-in rebuilds the render from
// the components with the same float operations, so these are written out in one place.
#pragma once

#include <cmath>

#include "zurender/scene/vec3.h"

namespace zurender {

// Everything one shaded point contributes, per colour channel.
struct ShadingComponents {
  Vec3 diffuse;     // surface colour x (1 - transparency)
  Vec3 shadowed;    // light reaching the point through shadows (the plug-in's shadowed sum)
  Vec3 unshadowed;  // the same with shadows ignored
  Vec3 luminance;
  Vec3 specular;
  Vec3 ambient;      // not multiplied by diffuse
  Vec3 reflections;  // ray-traced part + bitmap
  Vec3 bitmap;       // the environment map's part of the reflections
  Vec3 refractions;
  float transparency = 0.0f;  // of the surface
  float transmitted = 0.0f;   // transparency x (1 - Fresnel reflectance)
};

// C = D (S + A) + Sp + Lu + Rf + Rr, in float, in exactly this order.
inline Vec3 BeforeFog(const ShadingComponents& s) {
  Vec3 c;
  for (int k = 0; k < 3; ++k) {
    c[k] = s.diffuse[k] * (s.shadowed[k] + s.ambient[k]);
    c[k] += s.specular[k];
    c[k] += s.luminance[k];
    c[k] += s.reflections[k];
    c[k] += s.refractions[k];
  }
  return c;
}

// The fog fraction after distance along a ray: 1 - exp(-density x distance); exactly 0 without fog.
inline float FogFraction(float density, float distance) {
  return density > 0.0f ? 1.0f - std::exp(-density * distance) : 0.0f;
}

// F = (1 - phi) C + phi fog; exactly C when phi is 0.
inline Vec3 WithFog(Vec3 c, float phi, Vec3 fog) {
  if (phi == 0.0f) return c;
  Vec3 f;
  for (int k = 0; k < 3; ++k) f[k] = (1.0f - phi) * c[k] + phi * fog[k];
  return f;
}

}  // namespace zurender
