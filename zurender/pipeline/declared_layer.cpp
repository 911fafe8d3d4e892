#include "zurender/pipeline/declared_layer.h"

#include <algorithm>

namespace zurender {

DeclaredLayer FromDeclaration(const LayerDeclaration& declaration) {
  DeclaredLayer layer;
  // The length byte may claim more than the field holds; the field's end is the limit.
  const std::size_t length = std::min<std::size_t>(declaration.name[0], kDeclaredNameBytes - 1);
  layer.name.assign(reinterpret_cast<const char*>(declaration.name + 1), length);
  layer.blendKey = declaration.blendKey;
  layer.component = declaration.component;
  layer.layerClass = declaration.layerClass;
  layer.classParam = declaration.classParam;
  layer.declFlags = declaration.declFlags;
  return layer;
}

bool HiddenInStack(const DeclaredLayer& layer) {
  return IsMask(layer) || IsEdgeMask(layer) || layer.component == kComponentFinalRender ||
         layer.component == kComponentTransparency;
}

}  // namespace zurender
