// Which of the host's shading components fills each layer kind the host fills itself.
#pragma once

#include <cstdint>

#include "host/fill_service.h"

namespace zu {

// The component the host fills a layer of this kind from, or kNoComponent. "Ambient/GI" gives
// the ambient component here; whether its declaration uses it depends on the layer's option.
std::int32_t KindToComponent(std::int32_t kind);

}  // namespace zu
