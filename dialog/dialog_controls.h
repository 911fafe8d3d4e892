// The controls of the Layers dialog and the host resources it opens. The host's dialog resource
// defines them; the plug-in only knows them by these numbers.
#pragma once

#include <cstdint>

namespace layers_dialog {

constexpr const char kTitle[] = "ZU Layers 1.0";

// Controls of the Layers dialog, by id.
enum ControlId : std::int32_t {
  kConfirmButton = 1,
  kCancelButton = 2,
  kNameMode = 5,            // host-kept; 0 means the base name is not used
  kOutputPairEnabled = 6,   // host-kept checkbox
  kOutputPairPreset = 7,    // host-kept popup, presets 0 to 4
  kEdgeMask = 8,            // host-kept checkbox
  kOutputPairCustom1 = 9,   // host-kept edit text, changed only through the options dialog
  kOutputPairCustom2 = 10,  // likewise
  kLayerList = 11,
  kAddButton = 12,          // anchor of the kind menu
  kRemoveButton = 13,
  kBlendPopup = 14,         // blendMode of the selected layer
  kDiffuseLighting = 15,    // Diffuse Pack option1
  kDiffuseAdditives = 16,   // Diffuse Pack option2
  kLightsShadows = 17,      // Lights option1
  kShadowsOption = 18,      // Shadows option1
  kAmbientOption = 19,      // Ambient/GI option1
  kMaskValue = 20,          // Mask of # option1, as decimal text
  kAdditivesMode = 21,      // Additives Pack option1: 0 automatic, otherwise manual
  kAddSpecularCheck = 22,   // Additives Pack components, one checkbox per additive bit
  kAddLuminanceCheck = 23,
  kAddReflectionsCheck = 24,
  kAddRefractionsCheck = 25,
  kBaseName = 26,
  kLayoutReference = 27,    // its right edge is where control 28 ends
  kLaidOutItem = 28,
};

constexpr std::int32_t kFirstOptionControl = kDiffuseLighting;      // 15 to 25 show one kind's options
constexpr std::int32_t kLastOptionControl = kAddRefractionsCheck;
constexpr std::int32_t kFirstHostKeptControl = kNameMode;           // hit function on 5 to 26
constexpr std::int32_t kLastHitControl = kBaseName;

constexpr std::int32_t kCustomPreset = 4;  // the popup 7 value that opens the options dialog

// The layer list's flags, as the host's list control takes them.
constexpr std::int32_t kLayerListFlags = 43;
// Row flags of list 11.
constexpr std::int32_t kRowChecked = 2;  // the layer is rendered: LayerOff clear
constexpr std::int32_t kRowMarked = 1;   // mirrors LayerMarked

// The kind menu opened by the add button; items 1 to 15 are the kinds in table order.
constexpr std::int32_t kKindMenu = 136;
constexpr std::int32_t kMenuOffset = 2;  // the menu opens just inside the add button's corner
constexpr std::int32_t kMenuItemMask = 0xFFFF;  // the menu's answer carries the item in its low half

// The options dialog that edits the custom output pair.
constexpr std::int32_t kOptionsDialog = 21001;
constexpr std::int32_t kOptionsCustom1 = 3;  // edit texts of the options dialog
constexpr std::int32_t kOptionsCustom2 = 4;

}  // namespace layers_dialog
