// A layer as the plug-in declared it, and what the render host makes of the declaration.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "host/fill_service.h"
#include "host/layer_declaration.h"

namespace zurender {

struct DeclaredLayer {
  std::string name;          // as declared: up to 63 bytes, no terminator in the declaration
  std::uint32_t blendKey = 0;
  std::int32_t component = kNoComponent;  // host component that fills it
  std::int32_t layerClass = 0;
  std::int32_t classParam = 0;  // the mask number of a mask layer
  std::uint32_t declFlags = 0;
};

DeclaredLayer FromDeclaration(const LayerDeclaration& declaration);

inline bool IsEdgeMask(const DeclaredLayer& layer) { return (layer.declFlags & kDeclEdgeMask) != 0; }
inline bool IsMask(const DeclaredLayer& layer) { return layer.layerClass == kMaskClass; }
// An object mask's number; none for the edge mask (declared in the class of masks too) and
// every other layer.
inline std::optional<std::int32_t> MaskNumber(const DeclaredLayer& layer) {
  if (!IsMask(layer) || IsEdgeMask(layer)) return std::nullopt;
  return layer.classParam;
}

// Whether the layer's alpha tells how much of the pixel it covers. Only the pictures that lie
// over what is beneath them do: the packs of colour (the Diffuse Pack and the Final Render,
// whose alpha is 0 where the camera ray meets nothing) and the Fog (its alpha is how thick the
// fog is). Every other layer, the passes that multiply or add and the mattes, is opaque: all
// it holds is in its colour.
inline bool CarriesCoverage(const DeclaredLayer& layer) {
  return (layer.declFlags & kDeclPack) != 0 || layer.component == kComponentFog;
}

// Hidden in the layered file: the difference check layer and the mattes, which would cover the
// stack beneath them. Every other layer shows.
bool HiddenInStack(const DeclaredLayer& layer);

}  // namespace zurender
