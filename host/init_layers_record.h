// Record passed to ZUShaderInitLayers.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/host_services.h"

struct InitLayersRecord {
  void* instance;          // the instance ZUShaderInitialize stored, or none
  std::uint32_t hostWord;  // host's; not touched by the plug-in
  DeclareLayerFn declare;  // host's declare callback, valid during the call
};

static_assert(offsetof(InitLayersRecord, instance) == 0);
static_assert(offsetof(InitLayersRecord, declare) == 8);
static_assert(sizeof(InitLayersRecord) == 12);
