// What the user does in a dialog, and the hit the host delivers afterwards.
#include <algorithm>

#include "host/layers_dialog_resource.h"
#include "hostsim/dialog_toolkit.h"

namespace hostsim {
namespace {

bool ValidRow(const SimControl& list, std::int32_t row) { return row >= 0 && row < std::int32_t(list.rows.size()); }

}  // namespace

// The control the user can operate, or none: hidden or disabled controls take no gestures.
SimControl* DialogToolkit::Operable(DialogRef dialog, std::int32_t id, ControlKind kind) {
  SimControl* control = FindControl(dialog, id);
  if (control == nullptr || control->kind != kind || !control->enabled || !control->visible) return nullptr;
  return control;
}

// The host calls the hit function with the control's handle. The plug-in calls back into the
// toolkit meanwhile, so nothing of the control is held across the call.
void DialogToolkit::DeliverHit(DialogRef dialog, std::int32_t id) {
  const ControlRef ref = ControlRefOf(dialog, id);
  const SimControl* control = ControlByRef(ref);
  if (control != nullptr && control->hit != nullptr) control->hit(ref);
}

bool DialogToolkit::Press(DialogRef dialog, std::int32_t id) {
  if (Operable(dialog, id, ControlKind::Button) == nullptr) return false;
  DeliverHit(dialog, id);
  return true;
}

bool DialogToolkit::SetValue(DialogRef dialog, std::int32_t id, std::int32_t value) {
  SimControl* control = Operable(dialog, id, ControlKind::Checkbox);
  if (control == nullptr) control = Operable(dialog, id, ControlKind::Popup);
  if (control == nullptr) return false;
  control->value = value;
  DeliverHit(dialog, id);
  return true;
}

bool DialogToolkit::SetText(DialogRef dialog, std::int32_t id, const std::string& text) {
  SimControl* control = Operable(dialog, id, ControlKind::EditText);
  if (control == nullptr) return false;
  control->text = text;
  DeliverHit(dialog, id);
  return true;
}

bool DialogToolkit::SelectRows(DialogRef dialog, const std::vector<std::int32_t>& rows) {
  SimControl* list = Operable(dialog, kLayerList, ControlKind::List);
  if (list == nullptr) return false;
  for (std::int32_t row : rows)
    if (!ValidRow(*list, row)) return false;
  for (std::size_t row = 0; row < list->rows.size(); ++row)
    list->rows[row].selected = std::find(rows.begin(), rows.end(), std::int32_t(row)) != rows.end();
  DeliverHit(dialog, kLayerList);
  return true;
}

bool DialogToolkit::ToggleRowFlag(DialogRef dialog, std::int32_t row, std::int32_t flag) {
  SimControl* list = Operable(dialog, kLayerList, ControlKind::List);
  if (list == nullptr || !ValidRow(*list, row)) return false;
  list->rows[std::size_t(row)].flags ^= flag;
  DeliverHit(dialog, kLayerList);
  return true;
}

bool DialogToolkit::ToggleCheckMark(DialogRef dialog, std::int32_t row) {
  return ToggleRowFlag(dialog, row, kRowChecked);
}

bool DialogToolkit::ToggleRowMark(DialogRef dialog, std::int32_t row) { return ToggleRowFlag(dialog, row, kRowMarked); }

bool DialogToolkit::EditRowText(DialogRef dialog, std::int32_t row, const std::string& text) {
  SimControl* list = Operable(dialog, kLayerList, ControlKind::List);
  if (list == nullptr || !ValidRow(*list, row)) return false;
  list->rows[std::size_t(row)].text = text;
  DeliverHit(dialog, kLayerList);
  return true;
}

bool DialogToolkit::MoveRow(DialogRef dialog, std::int32_t from, std::int32_t to) {
  SimControl* list = Operable(dialog, kLayerList, ControlKind::List);
  if (list == nullptr || !ValidRow(*list, from) || !ValidRow(*list, to)) return false;
  const ListRow moved = list->rows[std::size_t(from)];
  list->rows.erase(list->rows.begin() + from);
  list->rows.insert(list->rows.begin() + to, moved);
  DeliverHit(dialog, kLayerList);
  return true;
}

bool DialogToolkit::HitAsHost(DialogRef dialog, std::int32_t id) {
  const SimControl* control = FindControl(dialog, id);
  if (control == nullptr || control->hit == nullptr) return false;
  DeliverHit(dialog, id);
  return true;
}

}  // namespace hostsim
