// Record passed to ZUShaderFillLayers, once per shaded sample.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/host_services.h"

struct FillLayersRecord {
  void* instance;                 // the instance ZUShaderInitialize stored, or none
  NextLightFn nextLight;          // host's light iterator, valid during the call
  const void* renderContext;      // host's record of the sample, valid during the call
  const void* surface;            // host's record of the surface, valid during the call
  std::uint32_t hostWords[27];    // host's; not touched by the plug-in
  FillServiceFn fillService;      // host's component and output callback; none means nothing is filled
};

static_assert(offsetof(FillLayersRecord, instance) == 0);
static_assert(offsetof(FillLayersRecord, nextLight) == 4);
static_assert(offsetof(FillLayersRecord, renderContext) == 8);
static_assert(offsetof(FillLayersRecord, surface) == 12);
static_assert(offsetof(FillLayersRecord, fillService) == 124);
static_assert(sizeof(FillLayersRecord) == 128);
