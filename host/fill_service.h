// What the plug-in may ask of the host's fill service (FillServiceFn) while it fills a sample:
// the two operations, and the numbers by which the host names the shading components it computes.
#pragma once

#include <cstdint>

// Operations, the service's first argument. Any other is not the plug-in's to use.
constexpr std::int32_t kGetComponent = 2;  // argument: a HostComponent; the host writes it into value
constexpr std::int32_t kWriteLayer = 3;    // argument: a declared layer's host id; the host stores value into it

// The shading components. A layer is also declared with one of these (or kNoComponent) to say
// which component the host fills it from.
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
