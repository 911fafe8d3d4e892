// Decides once per render what the packs and the Lights layers carry, then drops layers that are off.
#pragma once

#include <cstdint>

namespace zu {

struct LayerList;
struct LayerRecord;

// The whole step, run on an instance's own list before the instance is kept.
void PrepareLayersForRender(LayerList& list);

void ResolvePackContents(LayerList& list);

// Chooses the additive bits of one pack; manual is the pack's mode word, 0 meaning automatic.
void ResolveAdditiveComponents(const LayerList& list, LayerRecord& pack, std::int32_t manual);

void ResolveDiffusePack(const LayerList& list, LayerRecord& record);
void ResolveLightsLayer(const LayerList& list, LayerRecord& record);

// Drops the layers whose kLayerOff is set, releasing their names; the rest keep order and ids.
void CompactLayers(LayerList& list);

}  // namespace zu
