// What the host's dialog functions do on a toolkit's dialogs and controls.
#include <algorithm>
#include <cstring>
#include <optional>

#include "host/layers_dialog_resource.h"
#include "hostsim/dialog_toolkit.h"

namespace hostsim {
namespace {

// Copies text into the caller's buffer: at most the capacity in the length cell, with a
// terminator only when it fits. The cell then holds the length written, terminator included.
void CopyOut(const std::string& text, char* buffer, std::int32_t* length, std::optional<std::int32_t> reply) {
  if (buffer == nullptr || length == nullptr) return;
  const std::int32_t capacity = *length;
  std::int32_t written = 0;
  if (capacity > 0) {
    const std::int32_t n = std::min<std::int32_t>(std::int32_t(text.size()), capacity);
    std::memcpy(buffer, text.data(), std::size_t(n));
    if (n < capacity) buffer[n] = '\0';
    written = n < capacity ? n + 1 : n;
  }
  *length = reply ? *reply : written;
}

}  // namespace

void DialogToolkit::Note(const char* function, ControlRef ref, std::int32_t first, std::int32_t second,
                         const char* text) {
  if (probe_ == nullptr) return;
  const SimControl* control = ControlByRef(ref);
  probe_->Called(ToolkitCall{std::string("ZU_") + function, control ? control->dialog : 0, control ? control->id : 0, first, second,
                             text ? text : ""});
}

void DialogToolkit::NoteDialog(const char* function, DialogRef dialog, std::int32_t first, std::int32_t second,
                               const char* text) {
  if (probe_ == nullptr) return;
  probe_->Called(ToolkitCall{std::string("ZU_") + function, DialogExists(dialog) ? dialog : 0, 0, first, second, text ? text : ""});
}

ListRow* DialogToolkit::RowOf(ControlRef list, std::int32_t row) {
  SimControl* control = ControlByRef(list);
  if (control == nullptr || row < 0 || row >= std::int32_t(control->rows.size())) return nullptr;
  return &control->rows[std::size_t(row)];
}

const char* DialogToolkit::TextOrEmpty(const char* text) {
  if (text != nullptr) return text;
  ++nullTexts_;
  return "";
}

std::int32_t DialogToolkit::CountListItems(ControlRef list) {
  Note(__func__, list);
  const SimControl* control = ControlByRef(list);
  return control ? std::int32_t(control->rows.size()) : 0;
}

ControlRef DialogToolkit::FindControlByID(DialogRef dialog, std::int32_t id) {
  NoteDialog(__func__, dialog, id);
  return ControlRefOf(dialog, id);
}

std::int32_t DialogToolkit::GetControlBounds(ControlRef ref, ControlBounds* bounds) {
  Note(__func__, ref);
  const SimControl* control = ControlByRef(ref);
  if (control != nullptr && bounds != nullptr) *bounds = control->bounds;
  return 0;
}

std::int32_t DialogToolkit::GetControlID(ControlRef ref) {
  Note(__func__, ref);
  const SimControl* control = ControlByRef(ref);
  return control ? control->id : 0;
}

std::int32_t DialogToolkit::GetControlValue(ControlRef ref) {
  Note(__func__, ref);
  const SimControl* control = ControlByRef(ref);
  return control ? control->value : 0;
}

std::int32_t DialogToolkit::GetEditTextString(ControlRef ref, char* text, std::int32_t* length) {
  Note(__func__, ref, length ? *length : 0);
  const SimControl* control = ControlByRef(ref);
  CopyOut(control ? control->text : std::string(), text, length,
          probe_ ? probe_->LengthCellReply() : std::nullopt);
  return 0;
}

std::int32_t DialogToolkit::GetListSelectedItem(ControlRef list) {
  Note(__func__, list);
  const SimControl* control = ControlByRef(list);
  if (control == nullptr) return -1;
  for (std::size_t row = 0; row < control->rows.size(); ++row)
    if (control->rows[row].selected) return std::int32_t(row);
  return -1;
}

std::int32_t DialogToolkit::GetListString(ControlRef list, std::int32_t row, char* text, std::int32_t* length) {
  Note(__func__, list, row, length ? *length : 0);
  const ListRow* item = RowOf(list, row);
  CopyOut(item ? item->text : std::string(), text, length, std::nullopt);
  return 0;
}

std::int32_t DialogToolkit::IsListItemSelected(ControlRef list, std::int32_t row) {
  Note(__func__, list, row);
  const ListRow* item = RowOf(list, row);
  return item && item->selected ? 1 : 0;
}

std::int32_t DialogToolkit::RemoveListItem(ControlRef list, std::int32_t row) {
  Note(__func__, list, row);
  if (RowOf(list, row) != nullptr) {
    auto& rows = ControlByRef(list)->rows;
    rows.erase(rows.begin() + row);
  }
  return 0;
}

std::int32_t DialogToolkit::SelectListItem(ControlRef list, std::int32_t row, std::int32_t select) {
  Note(__func__, list, row, select);
  if (ListRow* item = RowOf(list, row)) item->selected = select != 0;
  return 0;
}

std::int32_t DialogToolkit::SetControlBounds(ControlRef ref, const ControlBounds* bounds) {
  Note(__func__, ref, bounds ? bounds->left : 0, bounds ? bounds->top : 0);
  SimControl* control = ControlByRef(ref);
  if (control != nullptr && bounds != nullptr) control->bounds = *bounds;
  return 0;
}

std::int32_t DialogToolkit::SetControlDrawImmediate(ControlRef ref, std::int32_t on) {
  Note(__func__, ref, on);
  if (SimControl* control = ControlByRef(ref)) control->drawImmediate = on != 0;
  return 0;
}

std::int32_t DialogToolkit::SetControlEnable(ControlRef ref, std::int32_t enable) {
  Note(__func__, ref, enable);
  if (SimControl* control = ControlByRef(ref)) control->enabled = enable != 0;
  return 0;
}

std::int32_t DialogToolkit::SetControlHitFunction(ControlRef ref, HitFunction hit) {
  Note(__func__, ref, hit != nullptr ? 1 : 0);
  if (SimControl* control = ControlByRef(ref)) control->hit = hit;
  return 0;
}

std::int32_t DialogToolkit::SetControlValue(ControlRef ref, std::int32_t value) {
  Note(__func__, ref, value);
  if (SimControl* control = ControlByRef(ref)) control->value = value;
  return 0;
}

std::int32_t DialogToolkit::SetControlVisible(ControlRef ref, std::int32_t visible) {
  Note(__func__, ref, visible);
  if (SimControl* control = ControlByRef(ref)) control->visible = visible != 0;
  return 0;
}

std::int32_t DialogToolkit::SetEditTextString(ControlRef ref, const char* text) {
  text = TextOrEmpty(text);
  Note(__func__, ref, 0, 0, text);
  if (SimControl* control = ControlByRef(ref)) control->text = text;
  return 0;
}

std::int32_t DialogToolkit::SetListFlags(ControlRef list, std::int32_t flags) {
  Note(__func__, list, flags);
  if (SimControl* control = ControlByRef(list)) control->listFlags = flags;
  return 0;
}

std::int32_t DialogToolkit::DestroyDialog(DialogRef dialog) {
  NoteDialog(__func__, dialog);
  auto found = dialogs_.find(dialog);
  if (found == dialogs_.end() || !found->second.madeByPlugin) return 0;  // the host's own dialogs stay
  for (const auto& [id, control] : found->second.controls) controls_.erase(control);
  dialogs_.erase(found);
  return 0;
}

std::int32_t DialogToolkit::ExecuteDialog(DialogRef dialog) {
  NoteDialog(__func__, dialog);
  SimControl* custom1 = FindControl(dialog, kOptionsCustom1);
  SimControl* custom2 = FindControl(dialog, kOptionsCustom2);
  if (custom1 == nullptr || custom2 == nullptr || user_ == nullptr) return 0;
  executing_ = dialog;
  const bool confirmed = user_->AnswerOptionsDialog(custom1->text, custom2->text);
  executing_ = 0;
  return confirmed ? 1 : 0;
}

DialogRef DialogToolkit::MakeDialog(std::uint32_t* resourceCell, std::int32_t resourceId) {
  NoteDialog(__func__, 0, resourceId, resourceCell ? std::int32_t(*resourceCell) : 0);
  // The host finds the dialog's resources through the value in the cell.
  if (resourceCell == nullptr || *resourceCell != resourceValue_ || resourceId != kOptionsDialog) return 0;
  if (probe_ != nullptr && probe_->RefuseDialog(resourceId)) return 0;
  return AddDialogFrom(OptionsDialogResource(), resourceId, true);
}

std::int32_t DialogToolkit::SetDialogTitle(DialogRef dialog, const char* title) {
  title = TextOrEmpty(title);
  NoteDialog(__func__, dialog, 0, 0, title);
  auto found = dialogs_.find(dialog);
  if (found != dialogs_.end()) found->second.title = title;
  return 0;
}

std::int32_t DialogToolkit::GetListItemFlags(ControlRef list, std::int32_t row) {
  Note(__func__, list, row);
  const ListRow* item = RowOf(list, row);
  return item ? item->flags : 0;
}

std::int32_t DialogToolkit::InsertListItemEx(ControlRef list, std::int32_t row, const char* text, std::int32_t itemId,
                                             std::int32_t rowFlags, std::int32_t reserved1, std::int32_t reserved2) {
  text = TextOrEmpty(text);
  Note(__func__, list, row, itemId, text);
  SimControl* control = ControlByRef(list);
  if (control == nullptr || reserved1 != 0 || reserved2 != 0) return 0;
  const std::int32_t at = std::clamp<std::int32_t>(row, 0, std::int32_t(control->rows.size()));
  control->rows.insert(control->rows.begin() + at, ListRow{text, itemId, rowFlags, false});
  return 0;
}

std::int32_t DialogToolkit::GetListItemID(ControlRef list, std::int32_t row) {
  Note(__func__, list, row);
  const ListRow* item = RowOf(list, row);
  return item ? item->itemId : 0;
}

std::int32_t DialogToolkit::ScrollList2Item(ControlRef list, std::int32_t row) {
  Note(__func__, list, row);
  if (SimControl* control = ControlByRef(list)) control->scrolledTo = row;
  return 0;
}

std::int32_t DialogToolkit::PopupMenuTrack(DialogRef dialog, std::int32_t menuId, std::int32_t reserved1,
                                           std::int32_t reserved2, std::int32_t* x, std::int32_t* y) {
  NoteDialog(__func__, dialog, x ? *x : 0, y ? *y : 0);
  if (menuId != kKindMenu || reserved1 != 0 || reserved2 != 0 || x == nullptr || y == nullptr || user_ == nullptr)
    return 0;
  return user_->ChooseFromMenu(menuId, *x, *y);
}

std::int32_t DialogToolkit::OffsetRect(ControlBounds* bounds, std::int32_t dx, std::int32_t dy) {
  if (bounds != nullptr) {
    bounds->left += dx;
    bounds->right += dx;
    bounds->top += dy;
    bounds->bottom += dy;
  }
  return 0;
}

}  // namespace hostsim
