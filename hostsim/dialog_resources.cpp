#include "hostsim/dialog_resources.h"

#include "host/layer_kind.h"
#include "host/layers_dialog_resource.h"

namespace hostsim {
namespace {

using K = ControlKind;

// The layer kinds in the plug-in's table order: menu item n makes kind n.
const std::vector<std::string> kKindItems(kKindNames + 1, kKindNames + 1 + kKindCount);

// The blend popup's items in the order of the plug-in's blend indices.
const std::vector<std::string> kBlendItems = {
    "Normal",      "Screen",      "Darken",     "Lighten",     "Hue",         "Saturation",
    "Color",       "Luminosity",  "Multiply",   "Dissolve",    "Overlay",     "Hard Light",
    "Soft Light",  "Difference",  "Exclusion",  "Color Dodge", "Color Burn",  "Linear Burn",
    "Linear Dodge (Add)", "Vivid Light", "Linear Light", "Pin Light", "Hard Mix"};

DialogResource MakeLayersDialogResource() {
  constexpr std::int32_t kTitle = 112;  // width of a popup's title
  DialogResource d{"Layers", 600, 452, {}};
  auto add = [&d](std::int32_t id, K kind, ControlBounds b, std::string label, std::int32_t labelWidth = 0,
                  std::vector<std::string> items = {}) {
    d.controls.push_back(ControlResource{id, kind, b, std::move(label), labelWidth, std::move(items)});
  };
  // The list and its buttons.
  add(kUnusedItem3, K::Static, {16, 12, 276, 30}, "Layers, top of the stack first");
  add(kLayerList, K::List, {16, 32, 276, 232}, "");
  add(kAddButton, K::Button, {16, 240, 106, 264}, "Add\u2026");
  add(kRemoveButton, K::Button, {114, 240, 204, 264}, "Remove");
  // The selected layer: its blend mode and the options of its kind.
  add(kLayoutReference, K::Group, {292, 12, 584, 264}, "Selected layer");
  add(kBlendPopup, K::Popup, {304, 36, 572, 60}, "Blend mode", kTitle, kBlendItems);
  add(kDiffuseLighting, K::Popup, {304, 72, 572, 96}, "Lighting", kTitle, {"Automatic", "Always", "None"});
  add(kDiffuseAdditives, K::Popup, {304, 104, 572, 128}, "Additives", kTitle, {"Automatic", "All", "None"});
  add(kLightsShadows, K::Popup, {620, 72, 888, 96}, "Shadows", kTitle, {"Automatic", "With shadows", "Without shadows"});
  add(kShadowsOption, K::Popup, {620, 104, 888, 128}, "Balance lights", kTitle, {"Off", "On"});
  add(kAmbientOption, K::Popup, {620, 136, 888, 160}, "Times diffuse", kTitle, {"Off", "On"});
  add(kMaskValue, K::EditText, {620, 168, 888, 192}, "Mask number", kTitle);
  add(kAdditivesMode, K::Popup, {620, 200, 888, 224}, "Components", kTitle, {"Automatic", "Manual"});
  add(kAddSpecularCheck, K::Checkbox, {732, 232, 888, 252}, "Specular");
  add(kAddLuminanceCheck, K::Checkbox, {732, 256, 888, 276}, "Luminance");
  add(kAddReflectionsCheck, K::Checkbox, {732, 280, 888, 300}, "Reflections");
  add(kAddRefractionsCheck, K::Checkbox, {732, 304, 888, 324}, "Refractions");
  // The rule ends short here; the plug-in carries it to the group's right edge.
  add(kLaidOutItem, K::Separator, {16, 276, 400, 278}, "");
  // What the host keeps for the plug-in.
  add(kUnusedItem4, K::Static, {16, 286, 584, 304}, "Settings of the render");
  add(kNameMode, K::Popup, {16, 312, 290, 336}, "Base name", 96,
      {"Not used", "Before layer names", "After layer names"});
  add(kBaseName, K::EditText, {304, 312, 584, 336}, "");
  add(kEdgeMask, K::Checkbox, {16, 344, 290, 364}, "Edge Mask layer");
  add(kOutputPairEnabled, K::Checkbox, {16, 372, 126, 396}, "Output pair");
  add(kOutputPairPreset, K::Popup, {132, 372, 290, 396}, "", 0, {"1, 1", "2, 0", "2, 2", "3, 0", "Custom\u2026"});
  add(kOutputPairCustom1, K::EditText, {304, 372, 440, 396}, "Custom", 56);
  add(kOutputPairCustom2, K::EditText, {448, 372, 584, 396}, "");
  add(kCancelButton, K::Button, {400, 412, 488, 436}, "Cancel");
  add(kConfirmButton, K::Button, {496, 412, 584, 436}, "OK");
  return d;
}

}  // namespace

const DialogResource& LayersDialogResource() {
  static const DialogResource kResource = MakeLayersDialogResource();
  return kResource;
}

const DialogResource& OptionsDialogResource() {
  static const DialogResource kResource{
      "Custom output pair", 300, 150,
      {{kOptionsCustom1, K::EditText, {16, 20, 284, 44}, "First value", 104, {}},
       {kOptionsCustom2, K::EditText, {16, 52, 284, 76}, "Second value", 104, {}},
       {kOptionsCancelButton, K::Button, {104, 104, 188, 128}, "Cancel", 0, {}},
       {kOptionsConfirmButton, K::Button, {200, 104, 284, 128}, "OK", 0, {}}}};
  return kResource;
}

const std::vector<std::string>& MenuResource(std::int32_t menuId) {
  static const std::vector<std::string> kNone;
  return menuId == kKindMenu ? kKindItems : kNone;
}

}  // namespace hostsim
