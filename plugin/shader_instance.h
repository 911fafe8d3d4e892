// What one render of the shader keeps: its parameters and its prepared layer list.
#pragma once

#include "layers/layer_list.h"
#include "plugin/param_block.h"
#include "render/fill_plan.h"
#include "render/light_sums.h"

namespace zu {

// Allocated from the host by ZUShaderInitialize and held in the host's shader record until
// ZUShaderFinish releases it with its list.
struct ShaderInstance {
  ParamBlock params;               // decoded, native order but for storedList
  LayerList layers;                // owns its records, names, item array and base name
  FillPlan plan;                   // how its layers are filled, decided once the list is prepared
  LightSums lightSums;             // reset by each fill call
};

// A prepared instance for the decoded block, or none when no layer survives preparation.
// allocationFailed reports that the host refused the instance.
ShaderInstance* CreateShaderInstance(const ParamBlock& params, bool& allocationFailed);

// Releases the instance, its list, names and base name.
void ReleaseShaderInstance(ShaderInstance* instance);

}  // namespace zu
