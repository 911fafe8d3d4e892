// A probe between the plug-in and a light iterator: counts the calls of the walk and those given a
// light that is not the scene's.
#pragma once

#include <cstdint>

#include "hostsim/callback_slot.h"
#include "hostsim/light_iterator.h"

namespace hostsim::hooks {

class LightProbe {
 public:
  // iterator must outlive the probe.
  explicit LightProbe(LightIterator& iterator) : iterator_(iterator) {}

  // The iterator to hand to the plug-in instead of the iterator's own.
  NextLightFn function() const { return slot_.function(); }
  void Next(void** light, std::int32_t* shadowFlag, std::int32_t* third, float* factor, std::int32_t* fifth,
            std::int32_t* sixth, std::int32_t* seventh, float* shadowRed, float* shadowGreen, float* shadowBlue);

  std::uint32_t CallCount() const { return calls_; }
  // Calls given a light that is not one of the scene's.
  std::uint32_t ForeignCount() const { return foreign_; }
  void Reset() { calls_ = foreign_ = 0; }

 private:
  LightIterator& iterator_;
  std::uint32_t calls_ = 0;
  std::uint32_t foreign_ = 0;
  CallbackSlot<&LightProbe::Next> slot_{*this, "light probes"};
};

}  // namespace hostsim::hooks
