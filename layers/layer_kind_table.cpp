#include "layers/layer_kind_table.h"

#include "host/blend_mode.h"
#include "host/layer_flags.h"
#include "layers/layer_record.h"

namespace zu {

namespace {

constexpr LayerKindRow kLayerKindTable[] = {
    {kDiffusePack, kLayerCarried, kBlendNormal, kKindNames[kDiffusePack]},
    {kLights, kLayerOff | kLayerCarried, kBlendMultiply, kKindNames[kLights]},
    {kShadows, kLayerOff | kLayerCarried, kBlendMultiply, kKindNames[kShadows]},
    {kAmbientGI, kLayerOff, kBlendLinearDodge, kKindNames[kAmbientGI]},
    {kAdditivesPack, kAdditiveMask | kLayerOff, kBlendLinearDodge, kKindNames[kAdditivesPack]},
    {kSpecular, kLayerOff, kBlendLinearDodge, kKindNames[kSpecular]},
    {kLuminance, kLayerOff, kBlendLinearDodge, kKindNames[kLuminance]},
    {kReflections, kLayerOff, kBlendLinearDodge, kKindNames[kReflections]},
    {kRtReflections, kLayerOff, kBlendLinearDodge, kKindNames[kRtReflections]},
    {kBitmapReflections, kLayerOff, kBlendLinearDodge, kKindNames[kBitmapReflections]},
    {kRtRefractions, kLayerOff, kBlendLinearDodge, kKindNames[kRtRefractions]},
    {kFinalRender, kLayerOff, kBlendDifference, kKindNames[kFinalRender]},
    {kFog, kLayerOff, kBlendNormal, kKindNames[kFog]},
    {kMaskOf, kLayerOff, kBlendNormal, kKindNames[kMaskOf]},
    {kTransparency, kLayerOff, kBlendNormal, kKindNames[kTransparency]},
};
static_assert(sizeof(kLayerKindTable) / sizeof(kLayerKindTable[0]) == kKindCount);

// Row n holds kind n + 1: the kind menu's item n makes the kind of row n - 1.
constexpr bool RowsInKindOrder() {
  for (std::int32_t i = 0; i < kKindCount; ++i)
    if (kLayerKindTable[i].kind != i + 1) return false;
  return true;
}
static_assert(RowsInKindOrder());
}  // namespace

const std::int32_t kDefaultLayerKinds[6] = {kLuminance, kShadows, kReflections, kRtRefractions, kSpecular,
                                           kDiffusePack};

const LayerKindRow& KindRow(std::int32_t index) { return kLayerKindTable[index]; }

const LayerKindRow* FindKindRow(std::int32_t kind) {
  for (const LayerKindRow& row : kLayerKindTable)
    if (row.kind == kind) return &row;
  return nullptr;
}

}  // namespace zu
