// What the tracer hands the application for one pixel: the shading components the plug-in asks
// for, the light iterator's answers, and the surface and context fields the plug-in reads.
#pragma once

#include <cstdint>

#include "host/colour_value.h"
#include "host/fill_service.h"
#include "host/light_outputs.h"

namespace zurender {

// What the tracer puts into each component, by the host's numbers (host/fill_service.h):
//   kComponentDiffuse            surface colour x (1 - transparency)
//   kComponentShadowedLight      the plug-in's shadowed light sum, bit for bit
//   kComponentLuminance          emitted colour
//   kComponentSpecular           highlights of the lights, shadowed
//   kComponentAmbient            ambient light x ambient occlusion, not multiplied by Diffuse
//   kComponentReflections        ray-traced reflections + BitmapReflections
//   kComponentBitmapReflections  the environment map in the reflected direction x the amount
//   kComponentRefractions        light through a transparent surface
//   kComponentTransparency       {1, transparencyFirst, transparencySecond, transparencySecond}
//   kComponentFog                {fog fraction, fog colour}
//   kComponentFinalRender        the pixel with fog
constexpr int kComponentSlots = kComponentFinalRender + 1;  // slot 0 unused

// What the host's light iterator reports for one light at one pixel: factor (> 0 lit from the
// front; <= 0 from behind, weighted by backLightColour), shadowFlag (1 for every light: a light
// without the flag counts as fully shadowed), and shadow, the light's colour x its transmittance
// toward the light (0 when blocked). The host's own record, so the iterator reads it as it stands.
using LightSample = LightOutputs;

struct PixelShade {
  ColourValue component[kComponentSlots];
  float backLightColour[3];  // surface record, offset 96
  float lightExponent;       // surface record, offset 152
  // Render context offset 308: the transparency of the surface the camera ray hits (0 opaque,
  // 1 clear).
  float transparencyFirst;
  // Render context offset 312: the fraction of light that passes through that surface, after
  // the part its Fresnel reflection turns back (0 where opaque).
  float transparencySecond;
  std::int32_t objectId;    // -1 where the camera ray hits nothing; else the object's index in the scene
  std::int32_t maskNumber;  // the hit object's mask number, 0 for none
};

}  // namespace zurender
