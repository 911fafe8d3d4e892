#include "hostsim/hooks/scripted_lights.h"

namespace hostsim::hooks {

void ScriptedLights::Set(LightIterator& iterator, const std::vector<SceneLight>& lights) {
  std::vector<LightColour> colours;
  outputs_.clear();
  for (const SceneLight& l : lights) {
    colours.push_back(LightColour{l.colour[0], l.colour[1], l.colour[2]});
    outputs_.push_back(LightOutputs{l.factor, l.shadowFlag, {l.shadow[0], l.shadow[1], l.shadow[2]}});
  }
  iterator.SetLights(colours);
}

}  // namespace hostsim::hooks
