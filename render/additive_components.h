// The additive components a pack carries: specular, luminance, reflections, refractions.
#pragma once

#include <cstdint>

#include "host/colour_value.h"

struct FillContext;

// Adds to value's colour channels each component whose bit is set in flags, in the order
// specular, luminance, reflections, refractions. 0, or the host's first non-zero code; the
// components added before a refusal stay added. alpha is not touched.
std::int32_t AddAdditiveComponents(FillContext& fill, std::uint32_t flags, ColourValue& value);
