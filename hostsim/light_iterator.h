// The host's light iterator: walks the scene's lights with the host's ten-argument protocol, over
// light records this object keeps and what the application says each light does at the sample.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "host/host_services.h"
#include "host/light_record.h"
#include "hostsim/callback_slot.h"
#include "host/light_outputs.h"

namespace hostsim {

struct LightColour {
  float red, green, blue;
};

// The application's side: asked once at the start of every walk, for what each of the scene's
// lights does at the sample being shaded, in light order. The outputs must stay as they are until
// the walk ends.
class LightProvider {
 public:
  virtual const LightOutputs* SampleOutputs() = 0;

 protected:
  ~LightProvider() = default;
};

class LightIterator {
 public:
  // The provider must outlive the iterator.
  explicit LightIterator(LightProvider& provider) : provider_(provider) {}

  // The callback for the FillLayersRecord, reaching this object while it lives.
  NextLightFn function() const { return slot_.function(); }

  // Replaces the scene's lights. Records handed out before are no longer the scene's.
  void SetLights(const std::vector<LightColour>& colours);
  std::size_t LightCount() const { return records_.size(); }
  // The record handed out for light i, or none.
  const LightRecord* Light(std::size_t i) const { return i < records_.size() ? &records_[i] : nullptr; }
  // Which of the scene's lights a record is, or -1 when it is none of them.
  std::ptrdiff_t IndexOf(const void* light) const;

  // One step of the walk. Called with none in *light it starts the walk and hands back the first
  // light (none in an empty scene); called with a light it writes that light's outputs and hands
  // back the next one, none after the last. A light that is not the scene's ends the walk.
  // Outputs the protocol leaves undefined (those of the starting call, and the third, fifth,
  // sixth and seventh of every call) get values no light produces, so that a plug-in that used
  // them would show it.
  void Next(void** light, std::int32_t* shadowFlag, std::int32_t* third, float* factor, std::int32_t* fifth,
            std::int32_t* sixth, std::int32_t* seventh, float* shadowRed, float* shadowGreen, float* shadowBlue);

 private:
  LightProvider& provider_;
  std::vector<LightRecord> records_;
  const LightOutputs* outputs_ = nullptr;  // of the walk in progress
  CallbackSlot<&LightIterator::Next> slot_{*this, "light iterators"};
};

}  // namespace hostsim
