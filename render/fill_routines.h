// One routine per layer kind the plug-in computes itself. Each builds the layer's value for the
// current sample and writes it with the host's fill service: 0, or the host's first non-zero
// code, for a fetch (nothing is then written) or for the write.
#pragma once

#include <cstdint>

struct FillContext;
struct LayerRecord;

using FillRoutine = std::int32_t (*)(FillContext& fill, const LayerRecord& layer);

// The diffuse colour, lit as the pack's bits say, plus the additive components it carries.
std::int32_t FillDiffusePack(FillContext& fill, const LayerRecord& layer);
// The host's light with shadows, or the unshadowed light sum.
std::int32_t FillLights(FillContext& fill, const LayerRecord& layer);
// Shadowed over unshadowed light, per channel.
std::int32_t FillShadows(FillContext& fill, const LayerRecord& layer);
// Ambient times diffuse; for an "Ambient/GI" layer whose option asks the plug-in to compute it.
std::int32_t FillAmbient(FillContext& fill, const LayerRecord& layer);
// The sum of the additive components the pack carries.
std::int32_t FillAdditivesPack(FillContext& fill, const LayerRecord& layer);
// All reflections less the bitmap ones: what ray tracing reflected.
std::int32_t FillRtReflections(FillContext& fill, const LayerRecord& layer);
// Built from two floats of the host's render context; no component is fetched.
std::int32_t FillTransparency(FillContext& fill, const LayerRecord& layer);

// The routine a layer needs, or none for a layer the host fills from its declared component
// (or as a mask).
FillRoutine FillRoutineFor(const LayerRecord& layer);
