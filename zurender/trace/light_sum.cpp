#include "zurender/trace/light_sum.h"

#include <cmath>

namespace zurender {
namespace {

float Shape(float factor, float exponent) {
  return exponent == 1.0f ? factor : static_cast<float>(std::pow(double{factor}, double{exponent}));
}

}  // namespace

void AddLightSample(LightSums& sums, const LightSample& sample, const float colour[3], const SurfaceLighting& surface) {
  // Every product and sum is a 32-bit float operation: the build computes in SSE registers.
  if (sample.factor > 0.0f) {
    const float g = Shape(sample.factor, surface.exponent);
    for (int k = 0; k < 3; ++k) sums.unshadowed[k] += g * colour[k];
    if (sample.shadowFlag == 0) return;
    for (int k = 0; k < 3; ++k) sums.shadowed[k] += g * sample.shadow[k];
    return;
  }
  const Vec3& back = surface.backLight;
  if (IsBlack(back) || std::isnan(sample.factor)) return;
  const float g = Shape(-sample.factor, surface.exponent);
  for (int k = 0; k < 3; ++k) sums.unshadowed[k] += g * colour[k] * back[k];
  if (sample.shadowFlag == 0) return;
  for (int k = 0; k < 3; ++k) sums.shadowed[k] += g * sample.shadow[k] * back[k];
}

}  // namespace zurender
