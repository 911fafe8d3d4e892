// A layer as the plug-in declared it, and what the render host makes of the declaration.
#pragma once

#include <cstdint>
#include <string>

#include "host/layer_declaration.h"

namespace zurender {

// Declaration flag of the edge mask, and the class of mask layers.
constexpr std::uint32_t kEdgeMaskFlag = 0x100;
constexpr std::int32_t kMaskClass = 10;

// Host component numbers the render host produces.
constexpr std::int32_t kTransparencyComponent = 9;
constexpr std::int32_t kFinalRenderComponent = 11;

struct DeclaredLayer {
  std::string name;          // as declared: up to 63 bytes, no terminator in the declaration
  std::uint32_t blendKey = 0;
  std::int32_t component = -1;  // host component that fills it, -1 for none
  std::int32_t layerClass = 0;
  std::int32_t classParam = 0;  // the mask number of a mask layer
  std::uint32_t declFlags = 0;
};

DeclaredLayer FromDeclaration(const LayerDeclaration& declaration);

inline bool IsEdgeMask(const DeclaredLayer& layer) { return (layer.declFlags & kEdgeMaskFlag) != 0; }
inline bool IsMask(const DeclaredLayer& layer) { return layer.layerClass == kMaskClass; }

// Hidden in the layered file: the difference check layer and the mattes, which would cover the
// stack beneath them. Every other layer shows.
bool HiddenInStack(const DeclaredLayer& layer);

}  // namespace zurender
