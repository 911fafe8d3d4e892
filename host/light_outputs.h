// What the host's light iterator (NextLightFn) reports for one light at the sample being shaded,
// through its out-arguments. The other three out-arguments are the host's and say nothing here.
#pragma once

#include <cstdint>

struct LightOutputs {
  float factor;             // how strongly the light reaches the point; 0 or below: from behind
  std::int32_t shadowFlag;  // non-zero when the light casts shadows
  float shadow[3];          // red, green, blue of the light reaching the point through shadows
};
