#include "hostsim/hooks/light_probe.h"

namespace hostsim::hooks {

void LightProbe::Next(void** light, std::int32_t* shadowFlag, std::int32_t* third, float* factor,
                      std::int32_t* fifth, std::int32_t* sixth, std::int32_t* seventh, float* shadowRed,
                      float* shadowGreen, float* shadowBlue) {
  ++calls_;
  if (*light != nullptr && iterator_.IndexOf(*light) < 0) ++foreign_;
  iterator_.Next(light, shadowFlag, third, factor, fifth, sixth, seventh, shadowRed, shadowGreen, shadowBlue);
}

}  // namespace hostsim::hooks
