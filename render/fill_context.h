// What one fill call works with: the host's services and records for the sample and the
// instance's light sums. Components come from the library's one cache (component_cache.h).
#pragma once

#include <cstdint>

#include "host/fill_service.h"
#include "host/host_services.h"

struct RenderContext;
struct SurfaceRecord;

namespace zu {

struct LightSums;

// Taken from the host's fill record by the entry point; all of it is valid during the call only.
struct FillHost {
  FillServiceFn fillService;           // none: nothing is filled
  NextLightFn nextLight;               // none walks no light
  const RenderContext* renderContext;  // the sample being shaded; none: nothing is filled
  const SurfaceRecord* surface;        // the surface being shaded; none reads as not back-lit, exponent 1
};

// Held by value, so that every use of a host service after a host call is one load, not a walk
// from the context to the host's record to the function.
struct FillContext {
  FillHost host;
  LightSums& sums;
};

}  // namespace zu
