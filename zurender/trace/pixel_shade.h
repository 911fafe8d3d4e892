// What the tracer hands the application for one pixel: the shading components the plug-in asks
// for, the light iterator's answers, and the surface and context fields the plug-in reads.
#pragma once

#include <cstdint>

#include "host/colour_value.h"
#include "hostsim/light_outputs.h"

namespace zurender {

constexpr int kComponentSlots = 12;  // host component numbers 1..11; slot 0 unused

// Host component numbers.
enum HostComponentNumber : int {
  kDiffuse = 1,            // surface colour x (1 - transparency)
  kShadowedLight = 2,      // the plug-in's shadowed light sum, bit for bit
  kLuminance = 3,          // emitted colour
  kSpecular = 4,           // highlights of the lights, shadowed
  kAmbient = 5,            // ambient light x ambient occlusion, not multiplied by Diffuse
  kReflections = 6,        // ray-traced reflections + BitmapReflections
  kBitmapReflections = 7,  // the environment map in the reflected direction x the amount
  kRefractions = 8,        // light through a transparent surface
  kTransparency = 9,       // {1, transparencyFirst, transparencySecond, transparencySecond}
  kFog = 10,               // {fog fraction, fog colour}
  kFinalRender = 11,       // the pixel with fog
};

// What the host's light iterator reports for one light at one pixel: factor (> 0 lit from the
// front; <= 0 from behind, weighted by backLightColour), shadowFlag (1 for every light: a light
// without the flag counts as fully shadowed), and shadow, the light's colour x its transmittance
// toward the light (0 when blocked). The host's own record, so the iterator reads it as it stands.
using LightSample = hostsim::LightOutputs;

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
