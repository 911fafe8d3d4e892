// Computes and writes the plug-in's layers for one shaded sample.
#pragma once

#include <cstdint>

#include "render/fill_context.h"

namespace zu {

struct FillPlan;
struct LightSums;

// Starts a sample: forgets the cached components when the pixel changed, and resets the sums
// with the plan's flags.
void BeginSample(FillContext& fill, const FillPlan& plan);

// Fills the planned layers for the current sample, with the shared component cache.
// 0 when every write succeeded or nothing had to be done (no fill service or no render context:
// nothing at all happens), else the host's first non-zero code; later layers then get no value
// this sample.
std::int32_t FillLayers(const FillPlan& plan, LightSums& sums, const FillHost& host);

}  // namespace zu
