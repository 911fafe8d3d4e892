#include "render/light_sums.h"

#include <cmath>

#include "host/light_record.h"
#include "host/surface_record.h"
#include "render/component_cache.h"
#include "render/host_component.h"

namespace zu {

namespace {

// What the surface says about light from behind and the shape of the light falloff.
struct SurfaceLighting {
  float back[3];  // weight of light arriving from behind, per channel
  bool backLit;   // any of them non-zero
  float exponent;
};

SurfaceLighting ReadSurface(const SurfaceRecord* surface) {
  if (surface == nullptr) return {{0.0f, 0.0f, 0.0f}, false, 1.0f};
  SurfaceLighting s{{surface->backLightColour[0], surface->backLightColour[1], surface->backLightColour[2]},
                    false, surface->lightExponent};
  s.backLit = s.back[0] != 0.0f || s.back[1] != 0.0f || s.back[2] != 0.0f;
  return s;
}

// The factor raised to the surface's exponent; Shaped is false for an exponent of exactly 1,
// which leaves the factor as it is and takes no power.
template <bool Shaped>
float Shape(float factor, float exponent) {
  if constexpr (Shaped) return static_cast<float>(std::pow(double{factor}, double{exponent}));
  else return factor;
}

// The outputs of one light iterator call; they belong to the light the call was given. Only
// the two the walk tests before reading the others start defined.
struct LightOutputs {
  std::int32_t shadowFlag = 0;
  float factor = 0.0f;
  float shadow[3];
  std::int32_t unused[4];  // third, fifth, sixth and seventh: not the plug-in's business
};

template <bool Shaped>
void AddLight(LightSums& sums, const LightRecord& light, const LightOutputs& out, const SurfaceLighting& surface) {
  // Each sum is rounded to a 32-bit float after every addition.
  if (out.factor > 0.0f) {
    const float f = Shape<Shaped>(out.factor, surface.exponent);
    sums.unshadowed.red += f * light.colour[0];
    sums.unshadowed.green += f * light.colour[1];
    sums.unshadowed.blue += f * light.colour[2];
    if (out.shadowFlag == 0) return;
    sums.shadowed.red += f * out.shadow[0];
    sums.shadowed.green += f * out.shadow[1];
    sums.shadowed.blue += f * out.shadow[2];
    return;
  }
  // Light from behind counts only on a back-lit surface, weighted per channel. A factor that is
  // not a number adds nothing: negated, it would carry the NaN into every sum of the pixel.
  if (!surface.backLit || std::isnan(out.factor)) return;
  const float f = Shape<Shaped>(-out.factor, surface.exponent);
  const float* back = surface.back;
  sums.unshadowed.red += f * light.colour[0] * back[0];
  sums.unshadowed.green += f * light.colour[1] * back[1];
  sums.unshadowed.blue += f * light.colour[2] * back[2];
  if (out.shadowFlag == 0) return;
  sums.shadowed.red += f * out.shadow[0] * back[0];
  sums.shadowed.green += f * out.shadow[1] * back[1];
  sums.shadowed.blue += f * out.shadow[2] * back[2];
}

// The host's walk: the first call, given none, only starts it and hands back the first light;
// each later call is given the light to evaluate, returns that light's outputs and hands back
// the next light, none after the last. The exponent is tested once per walk, not per light.
template <bool Shaped>
void WalkLights(NextLightFn nextLight, const SurfaceLighting& surface, LightSums& sums) {
  void* light = nullptr;
  LightOutputs out;
  auto next = [&] {
    nextLight(&light, &out.shadowFlag, &out.unused[0], &out.factor, &out.unused[1], &out.unused[2],
              &out.unused[3], &out.shadow[0], &out.shadow[1], &out.shadow[2]);
  };
  next();
  while (light != nullptr) {
    const auto* given = static_cast<const LightRecord*>(light);
    next();
    AddLight<Shaped>(sums, *given, out, surface);
  }
}

}  // namespace

void SumLights(FillContext& fill) {
  LightSums& sums = fill.sums;
  sums.computed = 1;
  sums.unshadowed = kNoLight;
  sums.shadowed = kNoLight;
  sums.ambient = kNoLight;
  if (fill.host.nextLight != nullptr) {
    const SurfaceLighting surface = ReadSurface(fill.host.surface);
    if (surface.exponent == 1.0f) WalkLights<false>(fill.host.nextLight, surface, sums);
    else WalkLights<true>(fill.host.nextLight, surface, sums);
  }
  // A refused ambient component is not fatal here: the sums go on without ambient light.
  if (sums.includeAmbient) {
    const ColourValue* ambient;
    if (FetchComponent(fill, kComponentAmbient, ambient) == 0) sums.ambient = *ambient;
  }
  if (sums.balanceShadows) ClampUnshadowedLight(fill);
}

}  // namespace zu
