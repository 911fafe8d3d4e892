// Record passed to ZUShaderHostInfo.
#pragma once

#include <cstddef>
#include <cstdint>

struct HostInfoRecord {
  std::uint32_t hostCode;  // four-character code of the host; valid during the call
};

static_assert(offsetof(HostInfoRecord, hostCode) == 0);
static_assert(sizeof(HostInfoRecord) == 4);
