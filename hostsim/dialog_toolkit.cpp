#include "hostsim/dialog_toolkit.h"

#include <atomic>

#include "host/layers_dialog_resource.h"
#include "hostsim/callback_slot.h"

namespace hostsim {
namespace {

// The exported dialog functions find a toolkit by the handle they are given: each handle carries
// its toolkit's session number (bits 20 to 27) under a tag for its sort (bits 28 to 31), so that a
// dialog handle passed as a control handle, or the reverse, finds nothing. The registry is the
// process-wide state that functions looked up by name, without a context, force on the host.
constexpr std::uint32_t kTagMask = 0xF0000000u;
constexpr std::uint32_t kDialogTag = 0x70000000u;
constexpr std::uint32_t kControlTag = 0x60000000u;
constexpr int kSessionShift = 20;
constexpr std::uint32_t kSessionMask = 0xFFu;
constexpr std::uint32_t kSerialMask = (1u << kSessionShift) - 1;
// Resource values: 'RSC' and the session number plus one.
constexpr std::uint32_t kResourceBase = 0x52534300u;

std::atomic<DialogToolkit*> gToolkits[kCallbackSlots] = {};
// Serials are never reused while the process runs (short of a million handles), so that a handle
// kept from a toolkit that is gone finds nothing in one that took its session number.
std::atomic<std::uint32_t> gNextSerial{1};

std::uint32_t NewHandle(std::uint32_t tag, std::size_t session) {
  std::uint32_t serial = gNextSerial.fetch_add(1) & kSerialMask;
  if (serial == 0) serial = gNextSerial.fetch_add(1) & kSerialMask;
  return tag | std::uint32_t(session) << kSessionShift | serial;
}

DialogToolkit* Owner(std::uint32_t handle, std::uint32_t tag) {
  if ((handle & kTagMask) != tag) return nullptr;
  const std::uint32_t session = handle >> kSessionShift & kSessionMask;
  return session < kCallbackSlots ? gToolkits[session].load(std::memory_order_acquire) : nullptr;
}

ControlKind LayersControlKind(std::int32_t id) {
  switch (id) {
    case kConfirmButton: case kCancelButton: case kAddButton: case kRemoveButton:
      return ControlKind::Button;
    case kOutputPairEnabled: case kEdgeMask:
    case kAddSpecularCheck: case kAddLuminanceCheck: case kAddReflectionsCheck: case kAddRefractionsCheck:
      return ControlKind::Checkbox;
    case kNameMode: case kOutputPairPreset: case kBlendPopup: case kDiffuseLighting: case kDiffuseAdditives:
    case kLightsShadows: case kShadowsOption: case kAmbientOption: case kAdditivesMode:
      return ControlKind::Popup;
    case kOutputPairCustom1: case kOutputPairCustom2: case kMaskValue: case kBaseName:
      return ControlKind::EditText;
    case kLayerList:
      return ControlKind::List;
    default:
      return ControlKind::Static;  // kUnusedItem3 and 4, kLayoutReference, kLaidOutItem
  }
}

}  // namespace

ControlBounds LayersResourceBounds(std::int32_t id) {
  const std::int32_t left = 10 + 9 * id, top = 20 + 14 * id;
  return ControlBounds{left, top, left + 40 + 3 * id, top + 12 + id};
}

DialogToolkit::DialogToolkit()
    : session_(TakeSlot(gToolkits, this, "dialog toolkits")),
      resourceValue_(kResourceBase + std::uint32_t(session_) + 1) {}

DialogToolkit::~DialogToolkit() { gToolkits[session_].store(nullptr, std::memory_order_release); }

DialogToolkit* DialogToolkit::OwnerOfDialog(DialogRef dialog) { return Owner(dialog, kDialogTag); }

DialogToolkit* DialogToolkit::OwnerOfControl(ControlRef control) { return Owner(control, kControlTag); }

DialogToolkit* DialogToolkit::OwnerOfResource(std::uint32_t resourceValue) {
  const std::uint32_t session = resourceValue - kResourceBase - 1;
  return session < kCallbackSlots ? gToolkits[session].load(std::memory_order_acquire) : nullptr;
}

DialogRef DialogToolkit::AddDialog(std::int32_t resourceId, bool madeByPlugin) {
  const DialogRef ref = NewHandle(kDialogTag, session_);
  SimDialog& dialog = dialogs_[ref];
  dialog.resourceId = resourceId;
  dialog.madeByPlugin = madeByPlugin;
  return ref;
}

void DialogToolkit::AddControl(DialogRef dialog, std::int32_t id, ControlKind kind, ControlBounds bounds) {
  const ControlRef ref = NewHandle(kControlTag, session_);
  SimControl& control = controls_[ref];
  control.dialog = dialog;
  control.id = id;
  control.kind = kind;
  control.bounds = bounds;
  dialogs_[dialog].controls[id] = ref;
}

DialogRef DialogToolkit::MakeLayersDialog() {
  const DialogRef dialog = AddDialog(0, false);
  for (std::int32_t id = 1; id <= kLastControl; ++id)
    AddControl(dialog, id, LayersControlKind(id), LayersResourceBounds(id));
  return dialog;
}

DialogRef DialogToolkit::AddDialogFrom(const DialogResource& resource, std::int32_t resourceId, bool madeByPlugin) {
  const DialogRef ref = AddDialog(resourceId, madeByPlugin);
  SimDialog& dialog = dialogs_[ref];
  dialog.title = resource.title;
  dialog.width = resource.width;
  dialog.height = resource.height;
  for (const ControlResource& c : resource.controls) {
    AddControl(ref, c.id, c.kind, c.bounds);
    SimControl* control = FindControl(ref, c.id);
    control->label = c.label;
    control->labelWidth = c.labelWidth;
    control->items = c.items;
  }
  return ref;
}

DialogRef DialogToolkit::MakeLayersDialog(const DialogResource& resource) { return AddDialogFrom(resource, 0, false); }

InterfaceRecord DialogToolkit::LayersDialogRecord(DialogRef dialog, HostSetInfoFn setInfo) const {
  return InterfaceRecord{dialog, resourceValue_, setInfo};
}

ControlRef DialogToolkit::ControlRefOf(DialogRef dialog, std::int32_t id) const {
  auto found = dialogs_.find(dialog);
  if (found == dialogs_.end()) return 0;
  auto control = found->second.controls.find(id);
  return control == found->second.controls.end() ? 0 : control->second;
}

SimControl* DialogToolkit::ControlByRef(ControlRef control) {
  auto found = controls_.find(control);
  return found == controls_.end() ? nullptr : &found->second;
}

SimControl* DialogToolkit::FindControl(DialogRef dialog, std::int32_t id) {
  return ControlByRef(ControlRefOf(dialog, id));
}

const SimControl* DialogToolkit::FindControl(DialogRef dialog, std::int32_t id) const {
  auto found = controls_.find(ControlRefOf(dialog, id));
  return found == controls_.end() ? nullptr : &found->second;
}

std::string DialogToolkit::DialogTitle(DialogRef dialog) const {
  auto found = dialogs_.find(dialog);
  return found == dialogs_.end() ? std::string() : found->second.title;
}

ControlBounds DialogToolkit::DialogFrame(DialogRef dialog) const {
  auto found = dialogs_.find(dialog);
  if (found == dialogs_.end()) return ControlBounds{0, 0, 0, 0};
  return ControlBounds{0, 0, found->second.width, found->second.height};
}

std::size_t DialogToolkit::LiveMadeDialogCount() const {
  std::size_t count = 0;
  for (const auto& [ref, dialog] : dialogs_) count += dialog.madeByPlugin ? 1 : 0;
  return count;
}

}  // namespace hostsim
