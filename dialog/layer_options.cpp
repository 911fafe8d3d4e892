#include "dialog/layer_options.h"

#include "dialog/control_text.h"
#include "dialog/dialog_context.h"
#include "dialog/dialog_controls.h"
#include "dialog/host_dialog_api.h"
#include "layers/layer_list.h"

namespace zu {

namespace {

// Value controls that show one option field of one kind.
struct OptionControl {
  std::int32_t id;
  std::int32_t kind;
  std::int32_t LayerRecord::*field;
};
constexpr OptionControl kOptionControls[] = {
    {kDiffuseLighting, kDiffusePack, &LayerRecord::option1},
    {kDiffuseAdditives, kDiffusePack, &LayerRecord::option2},
    {kLightsShadows, kLights, &LayerRecord::option1},
    {kShadowsOption, kShadows, &LayerRecord::option1},
    {kAmbientOption, kAmbientGI, &LayerRecord::option1},
    {kAdditivesMode, kAdditivesPack, &LayerRecord::option1},
};

// The Additives Pack's checkboxes, one per additive bit.
struct ComponentCheck {
  std::int32_t id;
  LayerFlag bit;
};
constexpr ComponentCheck kComponentChecks[] = {
    {kAddSpecularCheck, kAddSpecular},
    {kAddLuminanceCheck, kAddLuminance},
    {kAddReflectionsCheck, kAddReflections},
    {kAddRefractionsCheck, kAddRefractions},
};

constexpr std::int32_t kOptionControlCount = kLastOptionControl - kFirstOptionControl + 1;

std::int32_t ControlValue(std::int32_t id) { return host_dialog::GetControlValue(DialogControl(id)); }
void SetValue(std::int32_t id, std::int32_t value) { host_dialog::SetControlValue(DialogControl(id), value); }

}  // namespace

void EnableComponentChecks(bool on) {
  for (const ComponentCheck& check : kComponentChecks) EnableControl(check.id, on);
}

void ShowLayerOptions(const LayerRecord* record) {
  EnableControl(kRemoveButton, record != nullptr);
  EnableControl(kBlendPopup, record != nullptr);
  bool visible[kOptionControlCount] = {};
  if (record != nullptr) {
    SetValue(kBlendPopup, record->blendMode);
    if (record->kind == kAdditivesPack) EnableComponentChecks(record->option1 != 0);
    for (const OptionControl& control : kOptionControls) {
      if (control.kind != record->kind) continue;
      visible[control.id - kFirstOptionControl] = true;
      SetValue(control.id, record->*control.field);
    }
    if (record->kind == kAdditivesPack) {
      for (const ComponentCheck& check : kComponentChecks) {
        visible[check.id - kFirstOptionControl] = true;
        SetValue(check.id, (record->flags & check.bit) != 0 ? 1 : 0);
      }
    }
    if (record->kind == kMaskOf) {
      visible[kMaskValue - kFirstOptionControl] = true;
      SetControlNumber(kMaskValue, record->option1);
    }
  }
  for (std::int32_t id = kFirstOptionControl; id <= kLastOptionControl; ++id)
    host_dialog::SetControlVisible(DialogControl(id), visible[id - kFirstOptionControl] ? 1 : 0);
}

void StoreOptionControl(LayerList& list, std::int32_t id) {
  LayerRecord* record = FindLayerById(list, list.selectedId);
  if (record == nullptr) return;
  if (id == kBlendPopup) {
    record->blendMode = ControlValue(kBlendPopup);
    return;
  }
  for (const OptionControl& control : kOptionControls) {
    if (control.id != id || control.kind != record->kind) continue;
    record->*control.field = ControlValue(id);
    if (id == kAdditivesMode) EnableComponentChecks(record->option1 != 0);
    return;
  }
  if (record->kind == kAdditivesPack) {
    for (const ComponentCheck& check : kComponentChecks)
      if (check.id == id) SetLayerFlags(*record, check.bit, ControlValue(id) != 0);
  }
  // The result is not looked at: text that is not a plain number keeps its leading digits.
  if (id == kMaskValue && record->kind == kMaskOf) GetControlNumber(kMaskValue, record->option1);
}

}  // namespace zu
