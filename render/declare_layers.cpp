#include "render/declare_layers.h"

#include "host/blend_mode.h"
#include "host/layer_declaration.h"
#include "layers/layer_list.h"
#include "render/blend_mode_key.h"
#include "render/host_component.h"
#include "render/layer_name.h"
#include "render/short_string.h"

namespace zu {

namespace {

constexpr char kEdgeMaskName[] = "Edge Mask";

void DescribeLayer(const LayerRecord& record, bool edgeMask, LayerDeclaration& d) {
  d.hostLayerId = 0;
  d.layerClass = kColourClass;
  d.classParam = kColourClassParam;
  d.background[0] = d.background[1] = d.background[2] = d.background[3] = 0;
  const std::uint32_t withEdge = edgeMask ? std::uint32_t{kDeclWithEdge} : 0u;
  switch (record.kind) {
    case kDiffusePack:
    case kFinalRender: d.declFlags = kDeclColour | kDeclPack | withEdge; break;
    case kLights:
    case kShadows:
    case kAmbientGI: d.declFlags = kDeclColour | withEdge; break;
    case kMaskOf:
      d.layerClass = kMaskClass;
      d.classParam = record.option1;  // the mask value
      d.declFlags = 0;
      break;
    case kTransparency:
      d.background[1] = d.background[2] = d.background[3] = 255;
      d.declFlags = kDeclColour | withEdge;
      break;
    default: d.declFlags = kDeclColour | kDeclAdditive | withEdge; break;  // also kinds outside the table
  }
  // An "Ambient/GI" layer with its option set is computed by the plug-in, not by the host.
  d.component = (record.kind == kAmbientGI && record.option1 != 0) ? std::int32_t{kNoComponent}
                                                                    : KindToComponent(record.kind);
  d.blendKey = BlendModeKey(record.blendMode);
}

}  // namespace

std::int32_t DeclareLayers(LayerList& list, DeclareLayerFn declare, const DeclareOptions& options) {
  // One record for the whole call; the fields that never change per layer (zeros and the
  // output pair) are set once.
  // Without the host's callback no layer can be declared: reported like a refusal.
  if (declare == nullptr) return -1;
  LayerDeclaration d{};
  d.outputPairFirst = options.outputPairFirst;
  d.outputPairSecond = options.outputPairSecond;
  const bool edgeMask = options.edgeMask != 0;

  if (edgeMask) {
    d.hostLayerId = 0;
    d.declFlags = kDeclColour | kDeclEdgeMask;
    d.layerClass = kMaskClass;
    d.classParam = 0;
    d.component = kNoComponent;
    d.blendKey = kBlendModeKeys[kBlendNormal];
    ToShortString(kEdgeMaskName, d.name, kDeclaredNameMaxLength);
    if (declare(&d) != 0) return -1;  // the edge mask's id is not needed later
  }

  for (std::int32_t i = 0; i < list.count; ++i) {
    LayerRecord& record = list.items[i];
    if ((record.flags & kLayerOff) != 0) continue;
    DescribeLayer(record, edgeMask, d);
    ComposeLayerName(list.baseName, record.name, options.nameMode, d.name);
    if (declare(&d) != 0) return -1;
    record.hostLayerId = d.hostLayerId;
  }
  return 0;
}

}  // namespace zu
