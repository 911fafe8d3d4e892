// The host's dialog toolkit: handles and the 29 functions its main executable exports by name,
// listed once here.
//
// The plug-in is not linked against these; it looks each one up by name (dialog/). Every
// function takes 32-bit arguments only and returns a 32-bit value, used or not.
#pragma once

#include <cstdint>

#include "host/abi.h"
#include "host/control_bounds.h"

// Opaque host handles: the plug-in never looks inside them.
using DialogRef = std::uint32_t;
using ControlRef = std::uint32_t;

// Called by the host when the user operates a control; the result is ignored by the host.
using HitFunction = std::int32_t(ZU_ABI*)(ControlRef control);

// The 29 functions, in the order the plug-in binds them (dialog/host_dialog_api.cpp):
//   X(Name, result, (parameters), (arguments), target)
// The host's executable exports each as ZU_<Name>, of type <Name>Fn (below). target is what the
// first argument names: a control (a list control where it is called list), a dialog, the cell
// of a resource value, or a rectangle, which is plain arithmetic on the caller's bounds.
//
// Text buffers are the caller's. Where a length cell is passed, it holds the buffer's capacity
// before the call and whatever length the host chooses to leave there after it. The rows of a
// list count from 0.
#define ZU_HOST_DIALOG_FUNCTIONS(X)                                                                              \
  X(CountListItems, std::int32_t, (ControlRef list), (list), control)                                            \
  X(FindControlByID, ControlRef, (DialogRef dialog, std::int32_t id), (dialog, id), dialog)                       \
  X(GetControlBounds, std::int32_t, (ControlRef control, ControlBounds* bounds), (control, bounds), control)      \
  X(GetControlID, std::int32_t, (ControlRef control), (control), control)                                        \
  X(GetControlValue, std::int32_t, (ControlRef control), (control), control)                                     \
  X(GetEditTextString, std::int32_t, (ControlRef control, char* text, std::int32_t* length),                      \
    (control, text, length), control)                                                                            \
  /* negative: no row selected */                                                                                \
  X(GetListSelectedItem, std::int32_t, (ControlRef list), (list), control)                                       \
  X(GetListString, std::int32_t, (ControlRef list, std::int32_t row, char* text, std::int32_t* length),           \
    (list, row, text, length), control)                                                                          \
  X(IsListItemSelected, std::int32_t, (ControlRef list, std::int32_t row), (list, row), control)                  \
  X(RemoveListItem, std::int32_t, (ControlRef list, std::int32_t row), (list, row), control)                      \
  X(SelectListItem, std::int32_t, (ControlRef list, std::int32_t row, std::int32_t select), (list, row, select),  \
    control)                                                                                                     \
  X(SetControlBounds, std::int32_t, (ControlRef control, const ControlBounds* bounds), (control, bounds), control) \
  X(SetControlDrawImmediate, std::int32_t, (ControlRef control, std::int32_t on), (control, on), control)         \
  X(SetControlEnable, std::int32_t, (ControlRef control, std::int32_t enable), (control, enable), control)        \
  X(SetControlHitFunction, std::int32_t, (ControlRef control, HitFunction hit), (control, hit), control)          \
  X(SetControlValue, std::int32_t, (ControlRef control, std::int32_t value), (control, value), control)          \
  X(SetControlVisible, std::int32_t, (ControlRef control, std::int32_t visible), (control, visible), control)    \
  X(SetEditTextString, std::int32_t, (ControlRef control, const char* text), (control, text), control)           \
  X(SetListFlags, std::int32_t, (ControlRef list, std::int32_t flags), (list, flags), control)                    \
  X(DestroyDialog, std::int32_t, (DialogRef dialog), (dialog), dialog)                                           \
  /* non-zero: confirmed */                                                                                      \
  X(ExecuteDialog, std::int32_t, (DialogRef dialog), (dialog), dialog)                                           \
  /* resourceCell holds the host's resource value from the interface record; 0 when nothing was made */          \
  X(MakeDialog, DialogRef, (std::uint32_t* resourceCell, std::int32_t resourceId), (resourceCell, resourceId),    \
    resource)                                                                                                    \
  X(SetDialogTitle, std::int32_t, (DialogRef dialog, const char* title), (dialog, title), dialog)                 \
  X(OffsetRect, std::int32_t, (ControlBounds* bounds, std::int32_t dx, std::int32_t dy), (bounds, dx, dy),        \
    rectangle)                                                                                                   \
  X(GetListItemFlags, std::int32_t, (ControlRef list, std::int32_t row), (list, row), control)                    \
  X(InsertListItemEx, std::int32_t,                                                                              \
    (ControlRef list, std::int32_t row, const char* text, std::int32_t itemId, std::int32_t rowFlags,            \
     std::int32_t reserved1, std::int32_t reserved2),                                                            \
    (list, row, text, itemId, rowFlags, reserved1, reserved2), control)                                          \
  X(GetListItemID, std::int32_t, (ControlRef list, std::int32_t row), (list, row), control)                       \
  X(ScrollList2Item, std::int32_t, (ControlRef list, std::int32_t row), (list, row), control)                     \
  /* the low 16 bits of the result (kMenuItemMask) are the chosen item, counted from 1; 0: none */               \
  X(PopupMenuTrack, std::int32_t,                                                                                \
    (DialogRef dialog, std::int32_t menuId, std::int32_t reserved1, std::int32_t reserved2, std::int32_t* x,      \
     std::int32_t* y),                                                                                           \
    (dialog, menuId, reserved1, reserved2, x, y), dialog)

// The functions' types, as the plug-in calls them.
#define ZU_HOST_DIALOG_FUNCTION_TYPE(Name, result, parameters, arguments, target) \
  using Name##Fn = result(ZU_ABI*) parameters;
ZU_HOST_DIALOG_FUNCTIONS(ZU_HOST_DIALOG_FUNCTION_TYPE)
#undef ZU_HOST_DIALOG_FUNCTION_TYPE

constexpr int kHostDialogFunctionCount = 0
#define ZU_HOST_DIALOG_FUNCTION_COUNT(Name, result, parameters, arguments, target) +1
    ZU_HOST_DIALOG_FUNCTIONS(ZU_HOST_DIALOG_FUNCTION_COUNT);
#undef ZU_HOST_DIALOG_FUNCTION_COUNT
static_assert(kHostDialogFunctionCount == 29);

// The part of PopupMenuTrack's answer that is the chosen item.
constexpr std::int32_t kMenuItemMask = 0xFFFF;
