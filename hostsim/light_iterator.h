// The substitute host's light iterator: walks a scripted list of lights with the host's
// ten-argument protocol.
#pragma once

#include <cstdint>
#include <vector>

#include "host/abi.h"
#include "host/light_record.h"

namespace hostsim {

struct SceneLight {
  float colour[3];      // red, green, blue of the light record
  float factor;         // how strongly the light reaches the point; 0 or below: from behind
  std::int32_t shadowFlag;
  float shadow[3];      // the light reaching the point through shadows
};

// Replaces the scene's lights and forgets the call counts.
void SetSceneLights(const std::vector<SceneLight>& lights);

// The iterator handed to the plug-in in the FillLayersRecord. Called with none it starts the
// walk and hands back the first light (none in an empty scene); called with a light it writes
// that light's outputs and hands back the next one, none after the last. A light that is not
// the scene's ends the walk and is counted.
void ZU_ABI HostSimNextLight(void** light, std::int32_t* shadowFlag, std::int32_t* third, float* factor,
                             std::int32_t* fifth, std::int32_t* sixth, std::int32_t* seventh, float* shadowRed,
                             float* shadowGreen, float* shadowBlue);

// The record the iterator hands out for light i.
const LightRecord* SceneLightRecord(std::size_t i);

std::uint32_t NextLightCallCount();
// Calls given a light that is not one of the scene's.
std::uint32_t ForeignLightCount();

}  // namespace hostsim
