// The 29 dialog functions the host's main executable exports by name, over the toolkit's
// dialogs and controls. Compiled into every executable that plays the host, never taken from an
// archive, so that a lookup by name in the running process finds them.
//
// ZU_HOSTSIM_WITHOUT_POPUP_MENU_TRACK leaves ZU_PopupMenuTrack out: a host that lacks one
// function, which the plug-in must refuse to build its dialog on.
#include <algorithm>
#include <cstring>
#include <type_traits>

#include "hostsim/dialog_toolkit.h"

// A Windows executable exports only what is marked for export; an ELF one exports its default-
// visibility symbols when linked with exports enabled.
#if defined(_WIN32)
#define HOSTSIM_EXPORT extern "C" __declspec(dllexport)
#else
#define HOSTSIM_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

using namespace hostsim;

void Log(const char* function, ControlRef ref, std::int32_t first = 0, std::int32_t second = 0,
         const char* text = nullptr) {
  const SimControl* control = ControlByRef(ref);
  toolkit::RecordCall(ToolkitCall{function, control ? control->dialog : 0, control ? control->id : 0, first, second,
                         text ? text : ""});
}

void LogDialog(const char* function, DialogRef dialog, std::int32_t first = 0, std::int32_t second = 0,
               const char* text = nullptr) {
  toolkit::RecordCall(ToolkitCall{function, DialogExists(dialog) ? dialog : 0, 0, first, second, text ? text : ""});
}

ListRow* RowOf(ControlRef list, std::int32_t row) {
  SimControl* control = ControlByRef(list);
  if (control == nullptr || row < 0 || row >= std::int32_t(control->rows.size())) return nullptr;
  return &control->rows[std::size_t(row)];
}

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

const char* TextOrEmpty(const char* text) {
  if (text != nullptr) return text;
  toolkit::CountNullText();
  return "";
}

}  // namespace

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_CountListItems(ControlRef list) {
  Log("ZU_CountListItems", list);
  const SimControl* control = ControlByRef(list);
  return control ? std::int32_t(control->rows.size()) : 0;
}

HOSTSIM_EXPORT ControlRef ZU_ABI ZU_FindControlByID(DialogRef dialog, std::int32_t id) {
  LogDialog("ZU_FindControlByID", dialog, id);
  return toolkit::ControlRefOf(dialog, id);
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_GetControlBounds(ControlRef ref, ControlBounds* bounds) {
  Log("ZU_GetControlBounds", ref);
  const SimControl* control = ControlByRef(ref);
  if (control != nullptr && bounds != nullptr) *bounds = control->bounds;
  return 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_GetControlID(ControlRef ref) {
  Log("ZU_GetControlID", ref);
  const SimControl* control = ControlByRef(ref);
  return control ? control->id : 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_GetControlValue(ControlRef ref) {
  Log("ZU_GetControlValue", ref);
  const SimControl* control = ControlByRef(ref);
  return control ? control->value : 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_GetEditTextString(ControlRef ref, char* text, std::int32_t* length) {
  Log("ZU_GetEditTextString", ref, length ? *length : 0);
  const SimControl* control = ControlByRef(ref);
  CopyOut(control ? control->text : std::string(), text, length, Script().lengthCellReply);
  return 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_GetListSelectedItem(ControlRef list) {
  Log("ZU_GetListSelectedItem", list);
  const SimControl* control = ControlByRef(list);
  if (control == nullptr) return -1;
  for (std::size_t row = 0; row < control->rows.size(); ++row)
    if (control->rows[row].selected) return std::int32_t(row);
  return -1;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_GetListString(ControlRef list, std::int32_t row, char* text,
                                                    std::int32_t* length) {
  Log("ZU_GetListString", list, row, length ? *length : 0);
  const ListRow* item = RowOf(list, row);
  CopyOut(item ? item->text : std::string(), text, length, std::nullopt);
  return 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_IsListItemSelected(ControlRef list, std::int32_t row) {
  Log("ZU_IsListItemSelected", list, row);
  const ListRow* item = RowOf(list, row);
  return item && item->selected ? 1 : 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_RemoveListItem(ControlRef list, std::int32_t row) {
  Log("ZU_RemoveListItem", list, row);
  if (RowOf(list, row) != nullptr) {
    auto& rows = ControlByRef(list)->rows;
    rows.erase(rows.begin() + row);
  }
  return 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_SelectListItem(ControlRef list, std::int32_t row, std::int32_t select) {
  Log("ZU_SelectListItem", list, row, select);
  if (ListRow* item = RowOf(list, row)) item->selected = select != 0;
  return 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_SetControlBounds(ControlRef ref, const ControlBounds* bounds) {
  Log("ZU_SetControlBounds", ref, bounds ? bounds->left : 0, bounds ? bounds->top : 0);
  SimControl* control = ControlByRef(ref);
  if (control != nullptr && bounds != nullptr) control->bounds = *bounds;
  return 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_SetControlDrawImmediate(ControlRef ref, std::int32_t on) {
  Log("ZU_SetControlDrawImmediate", ref, on);
  if (SimControl* control = ControlByRef(ref)) control->drawImmediate = on != 0;
  return 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_SetControlEnable(ControlRef ref, std::int32_t enable) {
  Log("ZU_SetControlEnable", ref, enable);
  if (SimControl* control = ControlByRef(ref)) control->enabled = enable != 0;
  return 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_SetControlHitFunction(ControlRef ref, HitFunction hit) {
  Log("ZU_SetControlHitFunction", ref, hit != nullptr ? 1 : 0);
  if (SimControl* control = ControlByRef(ref)) control->hit = hit;
  return 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_SetControlValue(ControlRef ref, std::int32_t value) {
  Log("ZU_SetControlValue", ref, value);
  if (SimControl* control = ControlByRef(ref)) control->value = value;
  return 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_SetControlVisible(ControlRef ref, std::int32_t visible) {
  Log("ZU_SetControlVisible", ref, visible);
  if (SimControl* control = ControlByRef(ref)) control->visible = visible != 0;
  return 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_SetEditTextString(ControlRef ref, const char* text) {
  text = TextOrEmpty(text);
  Log("ZU_SetEditTextString", ref, 0, 0, text);
  if (SimControl* control = ControlByRef(ref)) control->text = text;
  return 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_SetListFlags(ControlRef list, std::int32_t flags) {
  Log("ZU_SetListFlags", list, flags);
  if (SimControl* control = ControlByRef(list)) control->listFlags = flags;
  return 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_DestroyDialog(DialogRef dialog) {
  LogDialog("ZU_DestroyDialog", dialog);
  toolkit::DestroyMadeDialog(dialog);
  return 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_ExecuteDialog(DialogRef dialog) {
  LogDialog("ZU_ExecuteDialog", dialog);
  SimControl* text3 = FindSimControl(dialog, 3);
  SimControl* text4 = FindSimControl(dialog, 4);
  if (text3 == nullptr || text4 == nullptr) return 0;
  toolkit::RecordOptionsRun(OptionsDialogRun{text3->text, text4->text});
  // The user types (or leaves) the texts, then confirms or cancels.
  if (Script().optionsText3) text3->text = *Script().optionsText3;
  if (Script().optionsText4) text4->text = *Script().optionsText4;
  return Script().optionsConfirmed ? 1 : 0;
}

HOSTSIM_EXPORT DialogRef ZU_ABI ZU_MakeDialog(std::uint32_t* resourceCell, std::int32_t resourceId) {
  toolkit::RecordCall(ToolkitCall{"ZU_MakeDialog", 0, 0, resourceId, resourceCell ? std::int32_t(*resourceCell) : 0, ""});
  // The host finds the dialog's resources through the value in the cell.
  if (Script().makeDialogFails || resourceCell == nullptr || *resourceCell != kHostResourceValue) return 0;
  return toolkit::AddMadeDialog(resourceId);
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_SetDialogTitle(DialogRef dialog, const char* title) {
  title = TextOrEmpty(title);
  LogDialog("ZU_SetDialogTitle", dialog, 0, 0, title);
  toolkit::SetDialogTitle(dialog, title);
  return 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_OffsetRect(ControlBounds* bounds, std::int32_t dx, std::int32_t dy) {
  toolkit::RecordCall(ToolkitCall{"ZU_OffsetRect", 0, 0, dx, dy, ""});
  if (bounds != nullptr) {
    bounds->left += dx;
    bounds->right += dx;
    bounds->top += dy;
    bounds->bottom += dy;
  }
  return 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_GetListItemFlags(ControlRef list, std::int32_t row) {
  Log("ZU_GetListItemFlags", list, row);
  const ListRow* item = RowOf(list, row);
  return item ? item->flags : 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_InsertListItemEx(ControlRef list, std::int32_t row, const char* text,
                                                       std::int32_t itemId, std::int32_t rowFlags,
                                                       std::int32_t reserved1, std::int32_t reserved2) {
  text = TextOrEmpty(text);
  Log("ZU_InsertListItemEx", list, row, itemId, text);
  SimControl* control = ControlByRef(list);
  if (control == nullptr || reserved1 != 0 || reserved2 != 0) return 0;
  const std::int32_t at = std::clamp<std::int32_t>(row, 0, std::int32_t(control->rows.size()));
  control->rows.insert(control->rows.begin() + at, ListRow{text, itemId, rowFlags, false});
  return 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_GetListItemID(ControlRef list, std::int32_t row) {
  Log("ZU_GetListItemID", list, row);
  const ListRow* item = RowOf(list, row);
  return item ? item->itemId : 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_ScrollList2Item(ControlRef list, std::int32_t row) {
  Log("ZU_ScrollList2Item", list, row);
  if (SimControl* control = ControlByRef(list)) control->scrolledTo = row;
  return 0;
}

#if !defined(ZU_HOSTSIM_WITHOUT_POPUP_MENU_TRACK)
HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_PopupMenuTrack(DialogRef dialog, std::int32_t menuId, std::int32_t reserved1,
                                                     std::int32_t reserved2, std::int32_t* x, std::int32_t* y) {
  LogDialog("ZU_PopupMenuTrack", dialog, x ? *x : 0, y ? *y : 0);
  if (menuId != kKindMenuResource || reserved1 != 0 || reserved2 != 0 || x == nullptr || y == nullptr) return 0;
  return Script().menuResult;
}
static_assert(std::is_same_v<decltype(&ZU_PopupMenuTrack), PopupMenuTrackFn>);
#endif

// The exports have exactly the types the plug-in calls them through.
static_assert(std::is_same_v<decltype(&ZU_CountListItems), CountListItemsFn>);
static_assert(std::is_same_v<decltype(&ZU_FindControlByID), FindControlByIDFn>);
static_assert(std::is_same_v<decltype(&ZU_GetControlBounds), GetControlBoundsFn>);
static_assert(std::is_same_v<decltype(&ZU_GetControlID), GetControlIDFn>);
static_assert(std::is_same_v<decltype(&ZU_GetControlValue), GetControlValueFn>);
static_assert(std::is_same_v<decltype(&ZU_GetEditTextString), GetEditTextStringFn>);
static_assert(std::is_same_v<decltype(&ZU_GetListSelectedItem), GetListSelectedItemFn>);
static_assert(std::is_same_v<decltype(&ZU_GetListString), GetListStringFn>);
static_assert(std::is_same_v<decltype(&ZU_IsListItemSelected), IsListItemSelectedFn>);
static_assert(std::is_same_v<decltype(&ZU_RemoveListItem), RemoveListItemFn>);
static_assert(std::is_same_v<decltype(&ZU_SelectListItem), SelectListItemFn>);
static_assert(std::is_same_v<decltype(&ZU_SetControlBounds), SetControlBoundsFn>);
static_assert(std::is_same_v<decltype(&ZU_SetControlDrawImmediate), SetControlDrawImmediateFn>);
static_assert(std::is_same_v<decltype(&ZU_SetControlEnable), SetControlEnableFn>);
static_assert(std::is_same_v<decltype(&ZU_SetControlHitFunction), SetControlHitFunctionFn>);
static_assert(std::is_same_v<decltype(&ZU_SetControlValue), SetControlValueFn>);
static_assert(std::is_same_v<decltype(&ZU_SetControlVisible), SetControlVisibleFn>);
static_assert(std::is_same_v<decltype(&ZU_SetEditTextString), SetEditTextStringFn>);
static_assert(std::is_same_v<decltype(&ZU_SetListFlags), SetListFlagsFn>);
static_assert(std::is_same_v<decltype(&ZU_DestroyDialog), DestroyDialogFn>);
static_assert(std::is_same_v<decltype(&ZU_ExecuteDialog), ExecuteDialogFn>);
static_assert(std::is_same_v<decltype(&ZU_MakeDialog), MakeDialogFn>);
static_assert(std::is_same_v<decltype(&ZU_SetDialogTitle), SetDialogTitleFn>);
static_assert(std::is_same_v<decltype(&ZU_OffsetRect), OffsetRectFn>);
static_assert(std::is_same_v<decltype(&ZU_GetListItemFlags), GetListItemFlagsFn>);
static_assert(std::is_same_v<decltype(&ZU_InsertListItemEx), InsertListItemExFn>);
static_assert(std::is_same_v<decltype(&ZU_GetListItemID), GetListItemIDFn>);
static_assert(std::is_same_v<decltype(&ZU_ScrollList2Item), ScrollList2ItemFn>);
