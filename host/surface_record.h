// The host's record of the surface being shaded, reached through FillLayersRecord::surface.
// Only the fields the plug-in reads are named; the struct describes a prefix of the host's record.
#pragma once

#include <cstddef>
#include <cstdint>

struct SurfaceRecord {
  std::uint8_t hostBytes[96];   // host's
  float backLightColour[3];     // red, green, blue weights of light arriving from behind
  std::uint8_t hostBytes108[44];
  float lightExponent;          // the light factor is raised to this power unless it is exactly 1
};

static_assert(offsetof(SurfaceRecord, backLightColour) == 96);
static_assert(offsetof(SurfaceRecord, lightExponent) == 152);
static_assert(sizeof(SurfaceRecord) == 156);  // the part the plug-in reads
