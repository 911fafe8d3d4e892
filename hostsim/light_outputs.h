// What one light does at the sample being shaded, as the host's light iterator reports it.
#pragma once

#include <cstdint>

namespace hostsim {

struct LightOutputs {
  float factor;             // how strongly the light reaches the point; 0 or below: from behind
  std::int32_t shadowFlag;  // non-zero when the light casts shadows
  float shadow[3];          // red, green, blue of the light reaching the point through shadows
};

}  // namespace hostsim
