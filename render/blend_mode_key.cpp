#include "render/blend_mode_key.h"

namespace zu {

std::uint32_t BlendModeKey(std::int32_t index) {
  // Compared unsigned so that negative indices fall outside the table too.
  const auto i = static_cast<std::uint32_t>(index);
  return i < kBlendModeCount ? kBlendModeKeys[i] : kBlendModeKeys[kBlendNormal];
}

}  // namespace zu
