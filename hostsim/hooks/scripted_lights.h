// Canned lights: a scene whose every light does at each sample what the test says.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "hostsim/light_iterator.h"

namespace hostsim::hooks {

struct SceneLight {
  float colour[3];      // red, green, blue of the light record
  float factor;         // how strongly the light reaches the point; 0 or below: from behind
  std::int32_t shadowFlag;
  float shadow[3];      // the light reaching the point through shadows
};

class ScriptedLights : public LightProvider {
 public:
  // Puts the lights into the iterator's scene and answers for them from now on.
  void Set(LightIterator& iterator, const std::vector<SceneLight>& lights);

  const LightOutputs* SampleOutputs() override { return outputs_.data(); }

 private:
  std::vector<LightOutputs> outputs_;
};

}  // namespace hostsim::hooks
