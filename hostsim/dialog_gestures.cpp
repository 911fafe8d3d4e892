// What the user does in a dialog, and the hit the host delivers afterwards.
#include <algorithm>

#include "hostsim/dialog_toolkit.h"

namespace hostsim {
namespace {

constexpr std::int32_t kLayerListId = 11;
constexpr std::int32_t kCheckMark = 2;
constexpr std::int32_t kRowMark = 1;

// The control the user can operate, or none: hidden or disabled controls take no gestures.
SimControl* Operable(DialogRef dialog, std::int32_t id, ControlKind kind) {
  SimControl* control = FindSimControl(dialog, id);
  if (control == nullptr || control->kind != kind || !control->enabled || !control->visible) return nullptr;
  return control;
}

SimControl* OperableList(DialogRef dialog) { return Operable(dialog, kLayerListId, ControlKind::List); }

bool ValidRow(const SimControl& list, std::int32_t row) { return row >= 0 && row < std::int32_t(list.rows.size()); }

// The host calls the hit function with the control's handle. The plug-in calls back into the
// toolkit meanwhile, so nothing of the control is held across the call.
void DeliverHit(DialogRef dialog, std::int32_t id) {
  const ControlRef ref = toolkit::ControlRefOf(dialog, id);
  const SimControl* control = ControlByRef(ref);
  if (control != nullptr && control->hit != nullptr) control->hit(ref);
}

}  // namespace

bool UserPress(DialogRef dialog, std::int32_t id) {
  if (Operable(dialog, id, ControlKind::Button) == nullptr) return false;
  DeliverHit(dialog, id);
  return true;
}

bool UserSetValue(DialogRef dialog, std::int32_t id, std::int32_t value) {
  SimControl* control = Operable(dialog, id, ControlKind::Checkbox);
  if (control == nullptr) control = Operable(dialog, id, ControlKind::Popup);
  if (control == nullptr) return false;
  control->value = value;
  DeliverHit(dialog, id);
  return true;
}

bool UserSetText(DialogRef dialog, std::int32_t id, const std::string& text) {
  SimControl* control = Operable(dialog, id, ControlKind::EditText);
  if (control == nullptr) return false;
  control->text = text;
  DeliverHit(dialog, id);
  return true;
}

bool UserSelectRows(DialogRef dialog, const std::vector<std::int32_t>& rows) {
  SimControl* list = OperableList(dialog);
  if (list == nullptr) return false;
  for (std::int32_t row : rows)
    if (!ValidRow(*list, row)) return false;
  for (std::size_t row = 0; row < list->rows.size(); ++row)
    list->rows[row].selected = std::find(rows.begin(), rows.end(), std::int32_t(row)) != rows.end();
  DeliverHit(dialog, kLayerListId);
  return true;
}

namespace {
bool ToggleRowFlag(DialogRef dialog, std::int32_t row, std::int32_t flag) {
  SimControl* list = OperableList(dialog);
  if (list == nullptr || !ValidRow(*list, row)) return false;
  list->rows[std::size_t(row)].flags ^= flag;
  DeliverHit(dialog, kLayerListId);
  return true;
}
}  // namespace

bool UserToggleCheckMark(DialogRef dialog, std::int32_t row) { return ToggleRowFlag(dialog, row, kCheckMark); }

bool UserToggleRowMark(DialogRef dialog, std::int32_t row) { return ToggleRowFlag(dialog, row, kRowMark); }

bool UserEditRowText(DialogRef dialog, std::int32_t row, const std::string& text) {
  SimControl* list = OperableList(dialog);
  if (list == nullptr || !ValidRow(*list, row)) return false;
  list->rows[std::size_t(row)].text = text;
  DeliverHit(dialog, kLayerListId);
  return true;
}

bool UserMoveRow(DialogRef dialog, std::int32_t from, std::int32_t to) {
  SimControl* list = OperableList(dialog);
  if (list == nullptr || !ValidRow(*list, from) || !ValidRow(*list, to)) return false;
  const ListRow moved = list->rows[std::size_t(from)];
  list->rows.erase(list->rows.begin() + from);
  list->rows.insert(list->rows.begin() + to, moved);
  DeliverHit(dialog, kLayerListId);
  return true;
}

bool HitAsHost(DialogRef dialog, std::int32_t id) {
  const SimControl* control = FindSimControl(dialog, id);
  if (control == nullptr || control->hit == nullptr) return false;
  DeliverHit(dialog, id);
  return true;
}

}  // namespace hostsim
