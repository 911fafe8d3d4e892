#include "layers/layer_kind_table.h"

#include "layers/layer_record.h"

namespace zu {

namespace {
// Blend mode indices used by the defaults.
constexpr std::int32_t kNormal = 0, kMultiply = 8, kDifference = 13, kLinearDodge = 18;

constexpr LayerKindRow kLayerKindTable[] = {
    {kDiffusePack, 0x2, kNormal, "Diffuse Pack"},
    {kLights, 0x3, kMultiply, "Lights"},
    {kShadows, 0x3, kMultiply, "Shadows"},
    {kAmbientGI, 0x1, kLinearDodge, "Ambient/GI"},
    {kAdditivesPack, 0xF1, kLinearDodge, "Additives Pack"},
    {kSpecular, 0x1, kLinearDodge, "Specular"},
    {kLuminance, 0x1, kLinearDodge, "Luminance"},
    {kReflections, 0x1, kLinearDodge, "Reflections"},
    {kRtReflections, 0x1, kLinearDodge, "RT Reflections"},
    {kBitmapReflections, 0x1, kLinearDodge, "Bitmap Reflections"},
    {kRtRefractions, 0x1, kLinearDodge, "RT Refractions"},
    {kFinalRender, 0x1, kDifference, "Final Render"},
    {kFog, 0x1, kNormal, "Fog"},
    {kMaskOf, 0x1, kNormal, "Mask of #"},
    {kTransparency, 0x1, kNormal, "Transparency"},
};
static_assert(sizeof(kLayerKindTable) / sizeof(kLayerKindTable[0]) == kKindCount);
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
