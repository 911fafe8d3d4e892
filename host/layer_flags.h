// The bits of a layer's flags word, as the stored list keeps it. Bits not named here may arrive
// with a stored list; they are kept as they are.
#pragma once

#include <cstdint>

enum LayerFlag : std::uint32_t {
  kLayerOff = 0x1,             // not rendered: dropped before rendering
  kLayerCarried = 0x2,         // in the defaults of Diffuse Pack, Lights and Shadows; saved and loaded, tested by nothing
  kLayerMarked = 0x8,          // mirrors the row mark of the layer's dialog row
  kAddSpecular = 0x10,         // pack carries the specular component
  kAddLuminance = 0x20,        // pack carries the luminance component
  kAddReflections = 0x40,      // pack carries the reflection component
  kAddRefractions = 0x80,      // pack carries the refraction component
  kAdditiveMask = 0xF0,        // the four additive bits together
  kPackLights = 0x100,         // Diffuse Pack: multiplied by the lighting (set only for rendering)
  kPackShadows = 0x200,        // Diffuse Pack: that lighting includes shadows (set only for rendering)
  kPackAmbient = 0x400,        // Diffuse Pack: ambient light added to the lighting (set only for rendering)
  kLightsWithShadows = 0x8000  // Lights: the lighting includes shadows (set only for rendering)
};
