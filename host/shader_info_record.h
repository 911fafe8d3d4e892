// Record passed to ZUShaderInformation.
#pragma once

#include <cstddef>
#include <cstdint>

struct ShaderInfoRecord {
  std::uint32_t hostWords[3];  // host's; not touched by the plug-in
  std::uint32_t flags;         // host-owned; the plug-in sets bit 0x200000 and keeps the rest
};

constexpr std::uint32_t kShaderInfoLayersBit = 0x200000u;

static_assert(offsetof(ShaderInfoRecord, flags) == 12);
static_assert(sizeof(ShaderInfoRecord) == 16);
