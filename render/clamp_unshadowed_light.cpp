#include "render/component_cache.h"
#include "render/host_component.h"
#include "render/light_sums.h"

namespace zu {

void ClampUnshadowedLight(FillContext& fill) {
  LightSums& sums = fill.sums;
  const ColourValue* diffuse;
  if (FetchComponent(fill, kComponentDiffuse, diffuse) != 0) return;
  const float d[3] = {diffuse->red, diffuse->green, diffuse->blue};
  const float u[3] = {sums.unshadowed.red, sums.unshadowed.green, sums.unshadowed.blue};
  const float a[3] = {sums.ambient.red, sums.ambient.green, sums.ambient.blue};

  // Nothing to do unless the unshadowed lit surface clips in some channel.
  if (!((u[0] + a[0]) * d[0] > 1.0f || (u[1] + a[1]) * d[1] > 1.0f || (u[2] + a[2]) * d[2] > 1.0f)) return;

  // Per channel, the light at which it shows its target: the shadowed result where that itself
  // exceeds 1, else 1. The channel that needs the strongest reduction sets the factor for all.
  const float s[3] = {sums.shadowed.red, sums.shadowed.green, sums.shadowed.blue};
  float ratio = 1.0f;
  for (int k = 0; k < 3; ++k) {
    if (!(d[k] > kTinyLight)) continue;
    const float y = (s[k] + a[k]) * d[k];
    const float target = y > 1.0f ? y : 1.0f;
    const float q = target / d[k] - a[k];
    if (q < u[k]) {
      const float w = q / (u[k] > kTinyLight ? u[k] : kTinyLight);
      if (w <= ratio) ratio = w;
    }
  }
  if (!(ratio < 1.0f)) return;
  sums.unshadowed.red = u[0] * ratio;
  sums.unshadowed.green = u[1] * ratio;
  sums.unshadowed.blue = u[2] * ratio;
}

}  // namespace zu
