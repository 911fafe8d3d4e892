// The host's resources that the Layers dialog is built from: the controls of the dialog the host
// makes and hands to ZUShaderInterfaceSetup, the menu and the options dialog the plug-in opens, and
// the row flags of the host's list control. Both sides know them only by these numbers.
#pragma once

#include <cstdint>

// Controls of the Layers dialog, by id.
enum LayersDialogControl : std::int32_t {
  kConfirmButton = 1,
  kCancelButton = 2,
  kUnusedItem3 = 3,         // the resource's own; the plug-in leaves them alone
  kUnusedItem4 = 4,
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
  kLayoutReference = 27,    // its right edge is where kLaidOutItem ends
  kLaidOutItem = 28,
};

// The dialog's controls are 1 to kLastControl.
constexpr std::int32_t kLastControl = kLaidOutItem;

// Row flags of the list control.
constexpr std::int32_t kRowChecked = 2;  // the row's check mark: the layer is rendered
constexpr std::int32_t kRowMarked = 1;   // the row's mark

// The kind menu opened by the add button; items 1 to 15 are the kinds in table order.
constexpr std::int32_t kKindMenu = 136;

// The options dialog that edits the custom output pair.
constexpr std::int32_t kOptionsDialog = 21001;
constexpr std::int32_t kOptionsConfirmButton = 1;
constexpr std::int32_t kOptionsCancelButton = 2;
constexpr std::int32_t kOptionsCustom1 = 3;  // edit texts of the options dialog
constexpr std::int32_t kOptionsCustom2 = 4;
