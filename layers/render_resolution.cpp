#include "layers/render_resolution.h"

#include "layers/layer_list.h"

namespace zu {

namespace {
bool HasEnabled(const LayerList& list, std::int32_t kind) { return FindEnabledLayerOfKind(list, kind) != nullptr; }

// The additive bit that an enabled layer of this kind takes over from a pack, or 0.
std::uint32_t AdditiveBitOfKind(std::int32_t kind) {
  switch (kind) {
    case kSpecular: return kAddSpecular;
    case kLuminance: return kAddLuminance;
    case kReflections:
    case kRtReflections:
    case kBitmapReflections: return kAddReflections;
    case kRtRefractions: return kAddRefractions;
    default: return 0;
  }
}
}  // namespace

void PrepareLayersForRender(LayerList& list) {
  if (list.items == nullptr || list.count == 0) return;
  ResolvePackContents(list);
  CompactLayers(list);
}

void ResolvePackContents(LayerList& list) {
  for (std::int32_t i = 0; i < list.count; ++i) {
    LayerRecord& record = list.items[i];
    if (record.kind != kAdditivesPack) continue;
    ResolveAdditiveComponents(list, record, record.option1);
    if ((record.flags & kAdditiveMask) == 0) record.flags |= kLayerOff;
  }
  for (std::int32_t i = 0; i < list.count; ++i) {
    LayerRecord& record = list.items[i];
    if (record.kind == kDiffusePack) ResolveDiffusePack(list, record);
    else if (record.kind == kLights) ResolveLightsLayer(list, record);
  }
}

void ResolveAdditiveComponents(const LayerList& list, LayerRecord& pack, std::int32_t manual) {
  if (manual != 0) {
    if ((pack.flags & kAdditiveMask) == 0) pack.flags |= kLayerOff;
    return;
  }
  pack.flags |= kAdditiveMask;
  for (std::int32_t i = 0; i < list.count && (pack.flags & kAdditiveMask) != 0; ++i) {
    const LayerRecord& record = list.items[i];
    if ((record.flags & kLayerOff) == 0) pack.flags &= ~AdditiveBitOfKind(record.kind);
  }
}

void ResolveDiffusePack(const LayerList& list, LayerRecord& record) {
  if (record.option1 == 0) {
    if (!HasEnabled(list, kLights)) record.flags |= kPackLights;
    if (!HasEnabled(list, kShadows)) record.flags |= kPackShadows;
    if (!HasEnabled(list, kAmbientGI)) record.flags |= kPackAmbient;
  } else if (record.option1 == 1) {
    record.flags |= kPackLights | kPackShadows | kPackAmbient;
  }
  if (record.option2 == 0) ResolveAdditiveComponents(list, record, 0);
  else if (record.option2 == 1) record.flags |= kAdditiveMask;
}

void ResolveLightsLayer(const LayerList& list, LayerRecord& record) {
  if (record.option1 == 1 || (record.option1 == 0 && !HasEnabled(list, kShadows)))
    record.flags |= kLightsWithShadows;
}

void CompactLayers(LayerList& list) {
  std::int32_t k = 0;
  for (std::int32_t i = 0; i < list.count; ++i) {
    LayerRecord& record = list.items[i];
    if ((record.flags & kLayerOff) != 0) {
      ReleaseLayerName(record);
      continue;
    }
    if (i != k) list.items[k] = record;
    ++k;
  }
  list.count = k;
}

}  // namespace zu
