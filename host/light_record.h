// The host's record of one light, handed out by the light iterator. Only the colour is read;
// the struct describes a prefix of the host's record.
#pragma once

#include <cstddef>
#include <cstdint>

struct LightRecord {
  std::uint8_t hostBytes[476];  // host's
  float colour[3];              // red, green, blue; valid while the light walk runs
};

static_assert(offsetof(LightRecord, colour) == 476);
static_assert(sizeof(LightRecord) == 488);  // the part the plug-in reads
