// Declares an instance's layers to the host before a render.
#pragma once

#include <cstdint>

#include "host/host_services.h"

namespace zu {

struct LayerList;

// What a declaration takes from the shader's parameters.
struct DeclareOptions {
  std::int32_t edgeMask;          // non-zero: an "Edge Mask" layer first, and every colour layer marked for it
  std::int32_t nameMode;          // how the base name joins each layer name (NameMode)
  std::int32_t outputPairFirst;   // passed to the host unchanged in every declaration
  std::int32_t outputPairSecond;
};

// Declares the optional "Edge Mask" and every layer that is not off, in list order, and keeps
// the host's id of each accepted layer in its record. 0 when every declaration was accepted (or
// none was needed), -1 as soon as the host refuses one (later layers are then not declared) or
// when there is no callback.
std::int32_t DeclareLayers(LayerList& list, DeclareLayerFn declare, const DeclareOptions& options);

}  // namespace zu
