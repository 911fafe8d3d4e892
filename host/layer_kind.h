// The layer kinds: what a layer of the plug-in's list holds, as the stored list records it and
// the host's kind menu offers it. The plug-in's kind table gives each kind its defaults
// (layers/layer_kind_table.cpp); the menu lists the kinds in this order, item n making kind n.
#pragma once

#include <cstdint>

enum LayerKind : std::int32_t {
  kNoKind = 0,  // an empty record
  kDiffusePack = 1,
  kLights = 2,
  kShadows = 3,
  kAmbientGI = 4,
  kAdditivesPack = 5,
  kSpecular = 6,
  kLuminance = 7,
  kReflections = 8,
  kRtReflections = 9,
  kBitmapReflections = 10,
  kRtRefractions = 11,
  kFinalRender = 12,
  kFog = 13,
  kMaskOf = 14,
  kTransparency = 15,
};

// Kinds 1 to kKindCount; every other value is no kind of the table.
constexpr std::int32_t kKindCount = 15;

// The name a new layer of each kind gets, which the kind menu shows; by kind, "" for none.
constexpr const char* kKindNames[kKindCount + 1] = {
    "",
    "Diffuse Pack",
    "Lights",
    "Shadows",
    "Ambient/GI",
    "Additives Pack",
    "Specular",
    "Luminance",
    "Reflections",
    "RT Reflections",
    "Bitmap Reflections",
    "RT Refractions",
    "Final Render",
    "Fog",
    "Mask of #",
    "Transparency",
};
