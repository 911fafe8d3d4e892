// Process-wide state of the loaded library. The host calls one entry point at a time, so none
// of it is guarded.
#pragma once

#include <cstdint>

#include "layers/layer_list.h"

namespace zu {

// Code of the host that loaded the library; 0 until ZUShaderHostInfo.
std::uint32_t& HostCode();

// The list the Layers dialog shows and edits. Empty at load, cleared at unload.
LayerList& DialogLayerList();

}  // namespace zu
