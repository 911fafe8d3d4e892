// Declares an instance's layers to the host before a render.
#pragma once

#include <cstdint>

#include "host/host_services.h"
#include "plugin/param_block.h"

struct LayerList;

// 0 when every declaration was accepted (or none was needed), -1 once the host refuses one.
std::int32_t DeclareLayers(LayerList& list, DeclareLayerFn declare, std::int32_t edgeMask, std::int32_t nameMode,
                           OutputPair pair);
