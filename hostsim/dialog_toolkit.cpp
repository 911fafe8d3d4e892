#include "hostsim/dialog_toolkit.h"

#include <map>

#include "hostsim/host_set_info.h"

namespace hostsim {
namespace {

struct SimDialog {
  std::int32_t resourceId = 0;  // 0 for the Layers dialog the host made itself
  bool madeByPlugin = false;
  std::string title;
  std::map<std::int32_t, ControlRef> controls;
};

struct Toolkit {
  std::map<DialogRef, SimDialog> dialogs;
  std::map<ControlRef, SimControl> controls;
  // Handles from separate ranges, so that a dialog handle passed as a control handle (or the
  // reverse) finds nothing.
  DialogRef nextDialog = 0x7001;
  ControlRef nextControl = 0x100;
  std::vector<ToolkitCall> calls;
  ToolkitScript script;
  std::vector<OptionsDialogRun> runs;
  std::size_t nullTexts = 0;
};

Toolkit& State() {
  static Toolkit toolkit;
  return toolkit;
}

ControlKind LayersControlKind(std::int32_t id) {
  switch (id) {
    case 1: case 2: case 12: case 13:
      return ControlKind::Button;
    case 6: case 8: case 22: case 23: case 24: case 25:
      return ControlKind::Checkbox;
    case 5: case 7: case 14: case 15: case 16: case 17: case 18: case 19: case 21:
      return ControlKind::Popup;
    case 9: case 10: case 20: case 26:
      return ControlKind::EditText;
    case 11:
      return ControlKind::List;
    default:
      return ControlKind::Static;
  }
}

DialogRef AddDialog(std::int32_t resourceId, bool madeByPlugin) {
  Toolkit& t = State();
  const DialogRef ref = t.nextDialog++;
  SimDialog& dialog = t.dialogs[ref];
  dialog.resourceId = resourceId;
  dialog.madeByPlugin = madeByPlugin;
  return ref;
}

void AddControl(DialogRef dialog, std::int32_t id, ControlKind kind, ControlBounds bounds) {
  Toolkit& t = State();
  const ControlRef ref = t.nextControl++;
  SimControl& control = t.controls[ref];
  control.dialog = dialog;
  control.id = id;
  control.kind = kind;
  control.bounds = bounds;
  t.dialogs[dialog].controls[id] = ref;
}

}  // namespace

void ResetDialogToolkit() {
  State() = Toolkit{};
  ResetHostSetInfo();
}

ControlBounds ResourceBounds(std::int32_t id) {
  // Every control at its own place and of its own size, so that a layout that mixes them up shows.
  const std::int32_t left = 10 + 9 * id, top = 20 + 14 * id;
  return ControlBounds{left, top, left + 40 + 3 * id, top + 12 + id};
}

DialogRef MakeLayersDialog() {
  const DialogRef dialog = AddDialog(0, false);
  for (std::int32_t id = 1; id <= 28; ++id) AddControl(dialog, id, LayersControlKind(id), ResourceBounds(id));
  return dialog;
}

InterfaceRecord LayersDialogRecord(DialogRef dialog) {
  return InterfaceRecord{dialog, kHostResourceValue, &HostSimSetInfo};
}

SimControl* FindSimControl(DialogRef dialog, std::int32_t id) { return ControlByRef(toolkit::ControlRefOf(dialog, id)); }

SimControl* ControlByRef(ControlRef control) {
  auto found = State().controls.find(control);
  return found == State().controls.end() ? nullptr : &found->second;
}

bool DialogExists(DialogRef dialog) { return State().dialogs.count(dialog) != 0; }

std::string DialogTitle(DialogRef dialog) {
  auto found = State().dialogs.find(dialog);
  return found == State().dialogs.end() ? std::string() : found->second.title;
}

ToolkitScript& Script() { return State().script; }

const std::vector<ToolkitCall>& ToolkitCalls() { return State().calls; }

std::vector<ToolkitCall> CallsTo(const std::string& function) {
  std::vector<ToolkitCall> calls;
  for (const ToolkitCall& call : State().calls)
    if (call.function == function) calls.push_back(call);
  return calls;
}

const std::vector<OptionsDialogRun>& OptionsDialogRuns() { return State().runs; }

std::size_t LiveMadeDialogCount() {
  std::size_t count = 0;
  for (const auto& [ref, dialog] : State().dialogs) count += dialog.madeByPlugin ? 1 : 0;
  return count;
}

std::size_t NullTextCount() { return State().nullTexts; }

namespace toolkit {

void RecordCall(ToolkitCall call) { State().calls.push_back(std::move(call)); }

DialogRef AddMadeDialog(std::int32_t resourceId) {
  if (resourceId != kOptionsDialogResource) return 0;
  const DialogRef dialog = AddDialog(resourceId, true);
  // Confirm and cancel buttons, and the two edit texts of the custom pair.
  AddControl(dialog, 1, ControlKind::Button, ControlBounds{10, 60, 60, 80});
  AddControl(dialog, 2, ControlKind::Button, ControlBounds{70, 60, 120, 80});
  AddControl(dialog, 3, ControlKind::EditText, ControlBounds{10, 10, 120, 25});
  AddControl(dialog, 4, ControlKind::EditText, ControlBounds{10, 30, 120, 45});
  return dialog;
}

void DestroyMadeDialog(DialogRef dialog) {
  Toolkit& t = State();
  auto found = t.dialogs.find(dialog);
  if (found == t.dialogs.end() || !found->second.madeByPlugin) return;
  for (const auto& [id, control] : found->second.controls) t.controls.erase(control);
  t.dialogs.erase(found);
}

ControlRef ControlRefOf(DialogRef dialog, std::int32_t id) {
  auto found = State().dialogs.find(dialog);
  if (found == State().dialogs.end()) return 0;
  auto control = found->second.controls.find(id);
  return control == found->second.controls.end() ? 0 : control->second;
}

void SetDialogTitle(DialogRef dialog, const char* title) {
  auto found = State().dialogs.find(dialog);
  if (found != State().dialogs.end()) found->second.title = title;
}

void RecordOptionsRun(const OptionsDialogRun& run) { State().runs.push_back(run); }

void CountNullText() { ++State().nullTexts; }

}  // namespace toolkit
}  // namespace hostsim
