// One layer of a list: what it holds, how it blends, and its per-kind options.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zu {

// What a layer holds; 0 marks an empty record.
enum LayerKind : std::int32_t {
  kNoKind = 0,
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

// Bits of LayerRecord::flags. Bits that arrive with a stored list and are not named here are kept.
enum LayerFlag : std::uint32_t {
  kLayerOff = 0x1,            // not rendered: dropped before rendering
  kLayerMarked = 0x8,         // mirrors the row mark of the layer's dialog row
  kAddSpecular = 0x10,        // pack carries the specular component
  kAddLuminance = 0x20,       // pack carries the luminance component
  kAddReflections = 0x40,     // pack carries the reflection component
  kAddRefractions = 0x80,     // pack carries the refraction component
  kAdditiveMask = 0xF0,       // the four additive bits together
  kPackLights = 0x100,        // Diffuse Pack: multiplied by the lighting (set only for rendering)
  kPackShadows = 0x200,       // Diffuse Pack: that lighting includes shadows (set only for rendering)
  kPackAmbient = 0x400,       // Diffuse Pack: ambient light added to the lighting (set only for rendering)
  kLightsWithShadows = 0x8000 // Lights: the lighting includes shadows (set only for rendering)
};

struct LayerKindRow;

struct LayerRecord {
  std::int32_t id;           // unique and positive within its list
  std::int32_t kind;         // a LayerKind
  std::uint32_t flags;       // LayerFlag bits
  std::int32_t blendMode;    // BlendMode index 0 to 22
  std::int32_t option1;      // first per-kind option
  std::int32_t option2;      // second per-kind option
  std::int32_t option3;      // stored and loaded, read by nothing
  std::int32_t hostLayerId;  // host's id for the declared layer; meaningful only after declaration
  char* name;                // host-allocated copy owned by the record, or none
};

static_assert(offsetof(LayerRecord, name) == 32);
static_assert(sizeof(LayerRecord) == 36);

// Resets the record to the kind's defaults (or to an empty record without a row), with id and
// hostLayerId 0. The name is a fresh host copy; any name the record held is not released here.
void InitLayerFromKind(LayerRecord& record, const LayerKindRow* row);

void ReleaseLayerName(LayerRecord& record);

// Replaces the name with a host copy of text; returns the new name, none when text is none or
// the copy fails.
const char* SetLayerName(LayerRecord& record, const char* text);

void SetLayerFlags(LayerRecord& record, std::uint32_t bits, bool on);

// Orders records by ascending id: -1, 0 or 1.
int CompareLayerIds(const LayerRecord& a, const LayerRecord& b);

}  // namespace zu
