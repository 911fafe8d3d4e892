// The host's dialog functions as the plug-in calls them: each forwards its arguments unchanged
// and returns the host's result unchanged.
//
// Each function is bound by name once and its address kept for the life of the library. A
// function the host does not export is never called: its entry returns 0 instead. The Layers
// dialog binds all of them up front and is not built when one is missing.
#pragma once

#include <cstdint>

#include "host/host_dialog.h"

namespace zu {

// Binds every function not bound yet; true when all 29 are bound.
bool BindHostDialogApi();

// Under the host's own names, in a namespace of their own so that every call to the host reads
// as one and none is taken for the plug-in's.
namespace host_dialog {

std::int32_t CountListItems(ControlRef list);
ControlRef FindControlByID(DialogRef dialog, std::int32_t id);
std::int32_t GetControlBounds(ControlRef control, ControlBounds* bounds);
std::int32_t GetControlID(ControlRef control);
std::int32_t GetControlValue(ControlRef control);
std::int32_t GetEditTextString(ControlRef control, char* text, std::int32_t* length);
std::int32_t GetListSelectedItem(ControlRef list);
std::int32_t GetListString(ControlRef list, std::int32_t row, char* text, std::int32_t* length);
std::int32_t IsListItemSelected(ControlRef list, std::int32_t row);
std::int32_t RemoveListItem(ControlRef list, std::int32_t row);
std::int32_t SelectListItem(ControlRef list, std::int32_t row, std::int32_t select);
std::int32_t SetControlBounds(ControlRef control, const ControlBounds* bounds);
std::int32_t SetControlDrawImmediate(ControlRef control, std::int32_t on);
std::int32_t SetControlEnable(ControlRef control, std::int32_t enable);
std::int32_t SetControlHitFunction(ControlRef control, HitFunction hit);
std::int32_t SetControlValue(ControlRef control, std::int32_t value);
std::int32_t SetControlVisible(ControlRef control, std::int32_t visible);
std::int32_t SetEditTextString(ControlRef control, const char* text);
std::int32_t SetListFlags(ControlRef list, std::int32_t flags);
std::int32_t DestroyDialog(DialogRef dialog);
std::int32_t ExecuteDialog(DialogRef dialog);
DialogRef MakeDialog(std::uint32_t* resourceCell, std::int32_t resourceId);
std::int32_t SetDialogTitle(DialogRef dialog, const char* title);
std::int32_t OffsetRect(ControlBounds* bounds, std::int32_t dx, std::int32_t dy);
std::int32_t GetListItemFlags(ControlRef list, std::int32_t row);
std::int32_t InsertListItemEx(ControlRef list, std::int32_t row, const char* text, std::int32_t itemId,
                              std::int32_t rowFlags, std::int32_t reserved1, std::int32_t reserved2);
std::int32_t GetListItemID(ControlRef list, std::int32_t row);
std::int32_t ScrollList2Item(ControlRef list, std::int32_t row);
std::int32_t PopupMenuTrack(DialogRef dialog, std::int32_t menuId, std::int32_t reserved1, std::int32_t reserved2,
                            std::int32_t* x, std::int32_t* y);

}  // namespace host_dialog

}  // namespace zu
