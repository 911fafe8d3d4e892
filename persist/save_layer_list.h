// Handing the layer list to the host, which keeps it with the shader's settings.
#pragma once

#include <cstdint>

#include "host/host_services.h"

namespace zu {

struct LayerList;

// Serializes list and passes it to the host with setInfo (dialog, 'SETI', 4, descriptor); the
// block is released as soon as the call returns. When the host refuses the block, or gives no
// setInfo, nothing is handed over and the host keeps the list it had.
void SaveLayerListToHost(const LayerList& list, std::uint32_t dialog, HostSetInfoFn setInfo);

}  // namespace zu
