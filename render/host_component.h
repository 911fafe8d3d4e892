// The numbers by which the host names its shading components, and which one fills each layer kind.
#pragma once

#include <cstdint>

enum HostComponent : std::int32_t {
  kNoComponent = -1,
  kComponentDiffuse = 1,
  kComponentShadowedLight = 2,
  kComponentLuminance = 3,
  kComponentSpecular = 4,
  kComponentAmbient = 5,
  kComponentReflections = 6,
  kComponentBitmapReflections = 7,
  kComponentRefractions = 8,
  kComponentTransparency = 9,
  kComponentFog = 10,
  kComponentFinalRender = 11,
};

// The component the host fills a layer of this kind from, or kNoComponent. "Ambient/GI" gives
// the ambient component here; whether its declaration uses it depends on the layer's option.
std::int32_t KindToComponent(std::int32_t kind);
