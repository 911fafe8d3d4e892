// Record the plug-in hands to the host's declare callback, once per output layer.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr std::size_t kDeclaredNameBytes = 64;  // length byte and up to 63 characters, fixed by the host

// Bits of declFlags.
enum DeclarationFlag : std::uint32_t {
  kDeclColour = 0x1,      // every colour layer, and the edge mask
  kDeclPack = 0x2,        // the packs of colour: "Diffuse Pack" and "Final Render"
  kDeclAdditive = 0x40,   // the additive kinds and "Fog"
  kDeclEdgeMask = 0x100,  // the edge mask layer itself
  kDeclWithEdge = 0x200,  // a colour layer while the edge mask is on
};

// Values of layerClass, and the classParam of a colour layer; a mask's classParam is its number.
constexpr std::int32_t kColourClass = 2;
constexpr std::int32_t kColourClassParam = 4;
constexpr std::int32_t kMaskClass = 10;

struct LayerDeclaration {
  std::int32_t hostLayerId;         // 0 before the call; the host writes its id here when it accepts
  std::uint32_t declFlags;          // DeclarationFlag bits, written by the plug-in per layer
  std::int32_t layerClass;          // kColourClass or kMaskClass
  std::int32_t classParam;          // kColourClassParam for colour layers, the mask value for masks
  std::int32_t component;           // host component that fills the layer, -1 for none
  std::uint8_t background[4];       // 0,0,0,0; "Transparency" 0,255,255,255
  std::uint8_t hostBytes[60];       // host's; zeroed by the plug-in
  std::uint32_t reserved84;         // 0
  std::uint32_t blendKey;           // four-character blend key, first character most significant
  std::uint8_t name[kDeclaredNameBytes];  // length-prefixed name, no terminator; bytes past it undefined
  std::uint32_t reserved156;        // 0
  std::uint32_t reserved160;        // 0
  std::int32_t outputPairFirst;     // passed through from the parameter block
  std::int32_t outputPairSecond;
  std::uint32_t reservedTail[8];    // 0
};

static_assert(offsetof(LayerDeclaration, hostLayerId) == 0);
static_assert(offsetof(LayerDeclaration, declFlags) == 4);
static_assert(offsetof(LayerDeclaration, layerClass) == 8);
static_assert(offsetof(LayerDeclaration, classParam) == 12);
static_assert(offsetof(LayerDeclaration, component) == 16);
static_assert(offsetof(LayerDeclaration, background) == 20);
static_assert(offsetof(LayerDeclaration, hostBytes) == 24);
static_assert(offsetof(LayerDeclaration, reserved84) == 84);
static_assert(offsetof(LayerDeclaration, blendKey) == 88);
static_assert(offsetof(LayerDeclaration, name) == 92);
static_assert(offsetof(LayerDeclaration, reserved156) == 156);
static_assert(offsetof(LayerDeclaration, reserved160) == 160);
static_assert(offsetof(LayerDeclaration, outputPairFirst) == 164);
static_assert(offsetof(LayerDeclaration, outputPairSecond) == 168);
static_assert(offsetof(LayerDeclaration, reservedTail) == 172);
static_assert(sizeof(LayerDeclaration) == 204);
