#include "dialog/host_dialog_api.h"

#include "dialog/find_host_function.h"

namespace zu {

namespace {

enum HostDialogSlot : int {
  kCountListItems,
  kFindControlByID,
  kGetControlBounds,
  kGetControlID,
  kGetControlValue,
  kGetEditTextString,
  kGetListSelectedItem,
  kGetListString,
  kIsListItemSelected,
  kRemoveListItem,
  kSelectListItem,
  kSetControlBounds,
  kSetControlDrawImmediate,
  kSetControlEnable,
  kSetControlHitFunction,
  kSetControlValue,
  kSetControlVisible,
  kSetEditTextString,
  kSetListFlags,
  kDestroyDialog,
  kExecuteDialog,
  kMakeDialog,
  kSetDialogTitle,
  kOffsetRect,
  kGetListItemFlags,
  kInsertListItemEx,
  kGetListItemID,
  kScrollList2Item,
  kPopupMenuTrack,
  kHostDialogSlotCount
};

struct HostDialogBinding {
  const char* name;  // exported name, exactly as the host spells it
  HostDialogSlot slot;
};

constexpr HostDialogBinding kHostDialogFunctions[] = {
    {"ZU_CountListItems", kCountListItems},
    {"ZU_FindControlByID", kFindControlByID},
    {"ZU_GetControlBounds", kGetControlBounds},
    {"ZU_GetControlID", kGetControlID},
    {"ZU_GetControlValue", kGetControlValue},
    {"ZU_GetEditTextString", kGetEditTextString},
    {"ZU_GetListSelectedItem", kGetListSelectedItem},
    {"ZU_GetListString", kGetListString},
    {"ZU_IsListItemSelected", kIsListItemSelected},
    {"ZU_RemoveListItem", kRemoveListItem},
    {"ZU_SelectListItem", kSelectListItem},
    {"ZU_SetControlBounds", kSetControlBounds},
    {"ZU_SetControlDrawImmediate", kSetControlDrawImmediate},
    {"ZU_SetControlEnable", kSetControlEnable},
    {"ZU_SetControlHitFunction", kSetControlHitFunction},
    {"ZU_SetControlValue", kSetControlValue},
    {"ZU_SetControlVisible", kSetControlVisible},
    {"ZU_SetEditTextString", kSetEditTextString},
    {"ZU_SetListFlags", kSetListFlags},
    {"ZU_DestroyDialog", kDestroyDialog},
    {"ZU_ExecuteDialog", kExecuteDialog},
    {"ZU_MakeDialog", kMakeDialog},
    {"ZU_SetDialogTitle", kSetDialogTitle},
    {"ZU_OffsetRect", kOffsetRect},
    {"ZU_GetListItemFlags", kGetListItemFlags},
    {"ZU_InsertListItemEx", kInsertListItemEx},
    {"ZU_GetListItemID", kGetListItemID},
    {"ZU_ScrollList2Item", kScrollList2Item},
    {"ZU_PopupMenuTrack", kPopupMenuTrack},
};

// The table is indexed by slot, so each row must stand at its own slot.
constexpr bool EveryRowAtItsSlot() {
  int i = 0;
  for (const HostDialogBinding& row : kHostDialogFunctions)
    if (row.slot != i++) return false;
  return i == kHostDialogSlotCount;
}
static_assert(EveryRowAtItsSlot());
static_assert(kHostDialogSlotCount == 29);

// One cell per function: none at load, set by the first successful lookup, never cleared.
void* gCells[kHostDialogSlotCount] = {};

void* BoundCell(HostDialogSlot slot) {
  if (gCells[slot] == nullptr) gCells[slot] = FindHostFunction(kHostDialogFunctions[slot].name);
  return gCells[slot];
}

// Forwards to the host's function; a function the host lacks gives 0 and is never called.
template <typename Fn, typename... Args>
auto CallHost(HostDialogSlot slot, Args... args) -> decltype(static_cast<Fn>(nullptr)(args...)) {
  const Fn function = reinterpret_cast<Fn>(BoundCell(slot));
  if (function == nullptr) return 0;
  return function(args...);
}

}  // namespace

bool BindHostDialogApi() {
  bool all = true;
  for (const HostDialogBinding& row : kHostDialogFunctions) all = BoundCell(row.slot) != nullptr && all;
  return all;
}

namespace host_dialog {

std::int32_t CountListItems(ControlRef list) { return CallHost<CountListItemsFn>(kCountListItems, list); }
ControlRef FindControlByID(DialogRef dialog, std::int32_t id) {
  return CallHost<FindControlByIDFn>(kFindControlByID, dialog, id);
}
std::int32_t GetControlBounds(ControlRef control, ControlBounds* bounds) {
  return CallHost<GetControlBoundsFn>(kGetControlBounds, control, bounds);
}
std::int32_t GetControlID(ControlRef control) { return CallHost<GetControlIDFn>(kGetControlID, control); }
std::int32_t GetControlValue(ControlRef control) { return CallHost<GetControlValueFn>(kGetControlValue, control); }
std::int32_t GetEditTextString(ControlRef control, char* text, std::int32_t* length) {
  return CallHost<GetEditTextStringFn>(kGetEditTextString, control, text, length);
}
std::int32_t GetListSelectedItem(ControlRef list) {
  return CallHost<GetListSelectedItemFn>(kGetListSelectedItem, list);
}
std::int32_t GetListString(ControlRef list, std::int32_t row, char* text, std::int32_t* length) {
  return CallHost<GetListStringFn>(kGetListString, list, row, text, length);
}
std::int32_t IsListItemSelected(ControlRef list, std::int32_t row) {
  return CallHost<IsListItemSelectedFn>(kIsListItemSelected, list, row);
}
std::int32_t RemoveListItem(ControlRef list, std::int32_t row) {
  return CallHost<RemoveListItemFn>(kRemoveListItem, list, row);
}
std::int32_t SelectListItem(ControlRef list, std::int32_t row, std::int32_t select) {
  return CallHost<SelectListItemFn>(kSelectListItem, list, row, select);
}
std::int32_t SetControlBounds(ControlRef control, const ControlBounds* bounds) {
  return CallHost<SetControlBoundsFn>(kSetControlBounds, control, bounds);
}
std::int32_t SetControlDrawImmediate(ControlRef control, std::int32_t on) {
  return CallHost<SetControlDrawImmediateFn>(kSetControlDrawImmediate, control, on);
}
std::int32_t SetControlEnable(ControlRef control, std::int32_t enable) {
  return CallHost<SetControlEnableFn>(kSetControlEnable, control, enable);
}
std::int32_t SetControlHitFunction(ControlRef control, HitFunction hit) {
  return CallHost<SetControlHitFunctionFn>(kSetControlHitFunction, control, hit);
}
std::int32_t SetControlValue(ControlRef control, std::int32_t value) {
  return CallHost<SetControlValueFn>(kSetControlValue, control, value);
}
std::int32_t SetControlVisible(ControlRef control, std::int32_t visible) {
  return CallHost<SetControlVisibleFn>(kSetControlVisible, control, visible);
}
std::int32_t SetEditTextString(ControlRef control, const char* text) {
  return CallHost<SetEditTextStringFn>(kSetEditTextString, control, text);
}
std::int32_t SetListFlags(ControlRef list, std::int32_t flags) {
  return CallHost<SetListFlagsFn>(kSetListFlags, list, flags);
}
std::int32_t DestroyDialog(DialogRef dialog) { return CallHost<DestroyDialogFn>(kDestroyDialog, dialog); }
std::int32_t ExecuteDialog(DialogRef dialog) { return CallHost<ExecuteDialogFn>(kExecuteDialog, dialog); }
DialogRef MakeDialog(std::uint32_t* resourceCell, std::int32_t resourceId) {
  return CallHost<MakeDialogFn>(kMakeDialog, resourceCell, resourceId);
}
std::int32_t SetDialogTitle(DialogRef dialog, const char* title) {
  return CallHost<SetDialogTitleFn>(kSetDialogTitle, dialog, title);
}
std::int32_t OffsetRect(ControlBounds* bounds, std::int32_t dx, std::int32_t dy) {
  return CallHost<OffsetRectFn>(kOffsetRect, bounds, dx, dy);
}
std::int32_t GetListItemFlags(ControlRef list, std::int32_t row) {
  return CallHost<GetListItemFlagsFn>(kGetListItemFlags, list, row);
}
std::int32_t InsertListItemEx(ControlRef list, std::int32_t row, const char* text, std::int32_t itemId,
                              std::int32_t rowFlags, std::int32_t reserved1, std::int32_t reserved2) {
  return CallHost<InsertListItemExFn>(kInsertListItemEx, list, row, text, itemId, rowFlags, reserved1, reserved2);
}
std::int32_t GetListItemID(ControlRef list, std::int32_t row) {
  return CallHost<GetListItemIDFn>(kGetListItemID, list, row);
}
std::int32_t ScrollList2Item(ControlRef list, std::int32_t row) {
  return CallHost<ScrollList2ItemFn>(kScrollList2Item, list, row);
}
std::int32_t PopupMenuTrack(DialogRef dialog, std::int32_t menuId, std::int32_t reserved1, std::int32_t reserved2,
                            std::int32_t* x, std::int32_t* y) {
  return CallHost<PopupMenuTrackFn>(kPopupMenuTrack, dialog, menuId, reserved1, reserved2, x, y);
}

}  // namespace host_dialog

}  // namespace zu
