// Computes and writes the plug-in's layers for one shaded sample.
#pragma once

#include <cstdint>

#include "render/fill_context.h"

struct FillPlan;
struct LayerList;
struct LightSums;

// Starts a sample: forgets the cached components when the pixel changed, and resets the sums
// with the plan's flags.
void BeginSample(FillContext& fill, const FillPlan& plan);

// Fills list's layers for the current sample as plan says, with the shared component cache.
// 0 when every write succeeded or nothing had to be done (no fill service: nothing at all
// happens), else the host's first non-zero code; later layers then get no value this sample.
std::int32_t FillLayers(const LayerList& list, const FillPlan& plan, LightSums& sums, const FillHost& host);
