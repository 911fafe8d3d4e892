#include "zurender/pipeline/layer_kinds.h"

#include "host/fill_service.h"
#include "host/layer_flags.h"
#include "host/layer_kind.h"
#include "host/parameter_block.h"
#include "zurender/settings/stored_list_check.h"
#include "zurender/settings/vocabulary.h"

namespace zurender {
namespace {

// What a declaration of each kind looks like: its component, whether it is a mask, and its
// flags but for the edge mask's (kDeclColour, kDeclPack and kDeclAdditive).
struct Signature {
  std::int32_t component;
  bool mask;
  std::uint32_t flags;
};

constexpr std::uint32_t kKindFlags = kDeclColour | kDeclPack | kDeclAdditive;
constexpr std::uint32_t kColourPack = kDeclColour | kDeclPack;
constexpr std::uint32_t kPass = kDeclColour | kDeclAdditive;

Signature SignatureOf(std::int32_t kind, std::int32_t option1) {
  switch (kind) {
    case kDiffusePack: return {kNoComponent, false, kColourPack};
    case kLights: case kShadows: return {kNoComponent, false, kDeclColour};
    // With its option on, the plug-in computes the layer instead of the host.
    case kAmbientGI: return {option1 != 0 ? kNoComponent : kComponentAmbient, false, kDeclColour};
    case kAdditivesPack: case kRtReflections: return {kNoComponent, false, kPass};
    case kSpecular: return {kComponentSpecular, false, kPass};
    case kLuminance: return {kComponentLuminance, false, kPass};
    case kReflections: return {kComponentReflections, false, kPass};
    case kBitmapReflections: return {kComponentBitmapReflections, false, kPass};
    case kRtRefractions: return {kComponentRefractions, false, kPass};
    case kFinalRender: return {kComponentFinalRender, false, kColourPack};
    case kFog: return {kComponentFog, false, kPass};
    case kMaskOf: return {kNoComponent, true, 0};
    case kTransparency: return {kComponentTransparency, false, kDeclColour};
    default: return {kNoComponent, false, kPass};  // outside the table: declared like a pass, with no component
  }
}

// The plug-in cuts a composed name to what the declaration's name field holds.
constexpr std::size_t kDeclaredNameLimit = kDeclaredNameBytes - 1;

bool Matches(const DeclaredLayer& layer, const Signature& s) {
  return layer.component == s.component && IsMask(layer) == s.mask && (layer.declFlags & kKindFlags) == s.flags;
}

std::string ComposedName(const std::string& name, const std::string& base, std::int32_t nameMode) {
  // Appended piece by piece: GCC 12 warns wrongly about overlap in string + string at -O3.
  std::string composed;
  composed.append(nameMode == kBaseNameFirst ? base : name);
  if (nameMode == kBaseNameFirst || nameMode == kBaseNameLast) composed.append(nameMode == kBaseNameFirst ? name : base);
  if (composed.size() > kDeclaredNameLimit) composed.resize(kDeclaredNameLimit);
  return composed;
}

}  // namespace

std::vector<std::string> DeclaredKinds(const std::vector<DeclaredLayer>& declared, const PluginSettings& settings) {
  std::vector<std::string> kinds(declared.size());
  const hostsim::StoredList list = RenderedList(settings.storedList);
  const std::vector<hostsim::StoredLayer>& entries = list.layers;
  const std::string& base = list.baseName;
  std::size_t next = 0;
  for (std::size_t i = 0; i < declared.size(); ++i) {
    const DeclaredLayer& layer = declared[i];
    if (IsEdgeMask(layer)) {
      kinds[i] = "Edge Mask";
      continue;
    }
    // The plug-in skips entries that are off and packs it finds nothing for.
    for (std::size_t j = next; j < entries.size(); ++j) {
      const hostsim::StoredLayer& entry = entries[j];
      if ((entry.flags & kLayerOff) || !Matches(layer, SignatureOf(entry.kind, entry.option1)) ||
          ComposedName(entry.name, base, settings.words.nameMode) != layer.name)
        continue;
      kinds[i] = KindName(entry.kind);
      next = j + 1;
      break;
    }
  }
  return kinds;
}

}  // namespace zurender
