// What one fill call works with: the host's services and records for the sample, the shared
// component cache and the instance's light sums.
#pragma once

#include <cstdint>

#include "host/fill_service.h"
#include "host/host_services.h"

struct ComponentCache;
struct LightSums;
struct RenderContext;
struct SurfaceRecord;

// Taken from the host's fill record by the entry point; all of it is valid during the call only.
struct FillHost {
  FillServiceFn fillService;           // none: nothing is filled
  NextLightFn nextLight;               // none walks no light
  const RenderContext* renderContext;  // the sample being shaded; none: nothing is filled
  const SurfaceRecord* surface;        // the surface being shaded; none reads as not back-lit, exponent 1
};

struct FillContext {
  const FillHost& host;
  ComponentCache& cache;
  LightSums& sums;
};
