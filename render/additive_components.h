// The additive components a pack carries: specular, luminance, reflections, refractions.
#pragma once

#include <cstdint>

#include "host/colour_value.h"
#include "layers/layer_record.h"
#include "render/component_cache.h"

namespace zu {

// Adds the component to value's colour channels when flags carry its bit: 0, or the host's code.
inline std::int32_t AddIfCarried(FillContext& fill, std::uint32_t flags, std::uint32_t flag, std::int32_t component,
                                 ColourValue& value) {
  if ((flags & flag) == 0) return 0;
  const ColourValue* added;
  if (const std::int32_t result = FetchComponent(fill, component, added); result != 0) return result;
  value.red += added->red;
  value.green += added->green;
  value.blue += added->blue;
  return 0;
}

// Adds to value's colour channels each component whose bit is set in flags, in the order
// specular, luminance, reflections, refractions. 0, or the host's first non-zero code; the
// components added before a refusal stay added. alpha is not touched.
// Inline and written out: on the per-sample path each component number is then a constant.
inline std::int32_t AddAdditiveComponents(FillContext& fill, std::uint32_t flags, ColourValue& value) {
  if (const std::int32_t r = AddIfCarried(fill, flags, kAddSpecular, kComponentSpecular, value); r != 0) return r;
  if (const std::int32_t r = AddIfCarried(fill, flags, kAddLuminance, kComponentLuminance, value); r != 0) return r;
  if (const std::int32_t r = AddIfCarried(fill, flags, kAddReflections, kComponentReflections, value); r != 0) return r;
  return AddIfCarried(fill, flags, kAddRefractions, kComponentRefractions, value);
}

}  // namespace zu
