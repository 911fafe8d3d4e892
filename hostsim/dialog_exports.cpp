// The dialog functions the host's main executable exports by name (host/host_dialog.h). Each
// is declared from the list there, with the type the plug-in calls it through, so that a
// definition that strays from it does not compile. Each hands its call to the
// toolkit that issued the handle it is given, and does nothing for a handle no live toolkit
// issued. Compiled into every executable that plays the host, never taken from an archive, so that
// a lookup by name in the running process finds them.
//
// ZU_HOSTSIM_WITHOUT_POPUP_MENU_TRACK leaves ZU_PopupMenuTrack out: a host that lacks one
// function, which the plug-in must refuse to build its dialog on.
#include "hostsim/dialog_toolkit.h"

// A Windows executable exports only what is marked for export; an ELF one exports its default-
// visibility symbols when linked with exports enabled.
#if defined(_WIN32)
#define HOSTSIM_EXPORT extern "C" __declspec(dllexport)
#else
#define HOSTSIM_EXPORT extern "C" __attribute__((visibility("default")))
#endif

using hostsim::DialogToolkit;

#define HOSTSIM_DECLARE_EXPORT(Name, result, parameters, arguments, target) \
  HOSTSIM_EXPORT result ZU_ABI ZU_##Name parameters;
ZU_HOST_DIALOG_FUNCTIONS(HOSTSIM_DECLARE_EXPORT)
#undef HOSTSIM_DECLARE_EXPORT

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_CountListItems(ControlRef list) {
  DialogToolkit* toolkit = DialogToolkit::OwnerOfControl(list);
  return toolkit != nullptr ? toolkit->CountListItems(list) : 0;
}

HOSTSIM_EXPORT ControlRef ZU_ABI ZU_FindControlByID(DialogRef dialog, std::int32_t id) {
  DialogToolkit* toolkit = DialogToolkit::OwnerOfDialog(dialog);
  return toolkit != nullptr ? toolkit->FindControlByID(dialog, id) : 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_GetControlBounds(ControlRef control, ControlBounds* bounds) {
  DialogToolkit* toolkit = DialogToolkit::OwnerOfControl(control);
  return toolkit != nullptr ? toolkit->GetControlBounds(control, bounds) : 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_GetControlID(ControlRef control) {
  DialogToolkit* toolkit = DialogToolkit::OwnerOfControl(control);
  return toolkit != nullptr ? toolkit->GetControlID(control) : 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_GetControlValue(ControlRef control) {
  DialogToolkit* toolkit = DialogToolkit::OwnerOfControl(control);
  return toolkit != nullptr ? toolkit->GetControlValue(control) : 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_GetEditTextString(ControlRef control, char* text, std::int32_t* length) {
  DialogToolkit* toolkit = DialogToolkit::OwnerOfControl(control);
  return toolkit != nullptr ? toolkit->GetEditTextString(control, text, length) : 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_GetListSelectedItem(ControlRef list) {
  DialogToolkit* toolkit = DialogToolkit::OwnerOfControl(list);
  return toolkit != nullptr ? toolkit->GetListSelectedItem(list) : -1;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_GetListString(ControlRef list, std::int32_t row, char* text,
                                                    std::int32_t* length) {
  DialogToolkit* toolkit = DialogToolkit::OwnerOfControl(list);
  return toolkit != nullptr ? toolkit->GetListString(list, row, text, length) : 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_IsListItemSelected(ControlRef list, std::int32_t row) {
  DialogToolkit* toolkit = DialogToolkit::OwnerOfControl(list);
  return toolkit != nullptr ? toolkit->IsListItemSelected(list, row) : 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_RemoveListItem(ControlRef list, std::int32_t row) {
  DialogToolkit* toolkit = DialogToolkit::OwnerOfControl(list);
  return toolkit != nullptr ? toolkit->RemoveListItem(list, row) : 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_SelectListItem(ControlRef list, std::int32_t row, std::int32_t select) {
  DialogToolkit* toolkit = DialogToolkit::OwnerOfControl(list);
  return toolkit != nullptr ? toolkit->SelectListItem(list, row, select) : 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_SetControlBounds(ControlRef control, const ControlBounds* bounds) {
  DialogToolkit* toolkit = DialogToolkit::OwnerOfControl(control);
  return toolkit != nullptr ? toolkit->SetControlBounds(control, bounds) : 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_SetControlDrawImmediate(ControlRef control, std::int32_t on) {
  DialogToolkit* toolkit = DialogToolkit::OwnerOfControl(control);
  return toolkit != nullptr ? toolkit->SetControlDrawImmediate(control, on) : 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_SetControlEnable(ControlRef control, std::int32_t enable) {
  DialogToolkit* toolkit = DialogToolkit::OwnerOfControl(control);
  return toolkit != nullptr ? toolkit->SetControlEnable(control, enable) : 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_SetControlHitFunction(ControlRef control, HitFunction hit) {
  DialogToolkit* toolkit = DialogToolkit::OwnerOfControl(control);
  return toolkit != nullptr ? toolkit->SetControlHitFunction(control, hit) : 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_SetControlValue(ControlRef control, std::int32_t value) {
  DialogToolkit* toolkit = DialogToolkit::OwnerOfControl(control);
  return toolkit != nullptr ? toolkit->SetControlValue(control, value) : 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_SetControlVisible(ControlRef control, std::int32_t visible) {
  DialogToolkit* toolkit = DialogToolkit::OwnerOfControl(control);
  return toolkit != nullptr ? toolkit->SetControlVisible(control, visible) : 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_SetEditTextString(ControlRef control, const char* text) {
  DialogToolkit* toolkit = DialogToolkit::OwnerOfControl(control);
  return toolkit != nullptr ? toolkit->SetEditTextString(control, text) : 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_SetListFlags(ControlRef list, std::int32_t flags) {
  DialogToolkit* toolkit = DialogToolkit::OwnerOfControl(list);
  return toolkit != nullptr ? toolkit->SetListFlags(list, flags) : 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_DestroyDialog(DialogRef dialog) {
  DialogToolkit* toolkit = DialogToolkit::OwnerOfDialog(dialog);
  return toolkit != nullptr ? toolkit->DestroyDialog(dialog) : 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_ExecuteDialog(DialogRef dialog) {
  DialogToolkit* toolkit = DialogToolkit::OwnerOfDialog(dialog);
  return toolkit != nullptr ? toolkit->ExecuteDialog(dialog) : 0;
}

HOSTSIM_EXPORT DialogRef ZU_ABI ZU_MakeDialog(std::uint32_t* resourceCell, std::int32_t resourceId) {
  DialogToolkit* toolkit = resourceCell != nullptr ? DialogToolkit::OwnerOfResource(*resourceCell) : nullptr;
  return toolkit != nullptr ? toolkit->MakeDialog(resourceCell, resourceId) : 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_SetDialogTitle(DialogRef dialog, const char* title) {
  DialogToolkit* toolkit = DialogToolkit::OwnerOfDialog(dialog);
  return toolkit != nullptr ? toolkit->SetDialogTitle(dialog, title) : 0;
}

// Plain arithmetic on the caller's rectangle: no toolkit's dialogs are involved.
HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_OffsetRect(ControlBounds* bounds, std::int32_t dx, std::int32_t dy) {
  return DialogToolkit::OffsetRect(bounds, dx, dy);
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_GetListItemFlags(ControlRef list, std::int32_t row) {
  DialogToolkit* toolkit = DialogToolkit::OwnerOfControl(list);
  return toolkit != nullptr ? toolkit->GetListItemFlags(list, row) : 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_InsertListItemEx(ControlRef list, std::int32_t row, const char* text,
                                                       std::int32_t itemId, std::int32_t rowFlags,
                                                       std::int32_t reserved1, std::int32_t reserved2) {
  DialogToolkit* toolkit = DialogToolkit::OwnerOfControl(list);
  return toolkit != nullptr ? toolkit->InsertListItemEx(list, row, text, itemId, rowFlags, reserved1, reserved2) : 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_GetListItemID(ControlRef list, std::int32_t row) {
  DialogToolkit* toolkit = DialogToolkit::OwnerOfControl(list);
  return toolkit != nullptr ? toolkit->GetListItemID(list, row) : 0;
}

HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_ScrollList2Item(ControlRef list, std::int32_t row) {
  DialogToolkit* toolkit = DialogToolkit::OwnerOfControl(list);
  return toolkit != nullptr ? toolkit->ScrollList2Item(list, row) : 0;
}

#if !defined(ZU_HOSTSIM_WITHOUT_POPUP_MENU_TRACK)
HOSTSIM_EXPORT std::int32_t ZU_ABI ZU_PopupMenuTrack(DialogRef dialog, std::int32_t menuId, std::int32_t reserved1,
                                                     std::int32_t reserved2, std::int32_t* x, std::int32_t* y) {
  DialogToolkit* toolkit = DialogToolkit::OwnerOfDialog(dialog);
  return toolkit != nullptr ? toolkit->PopupMenuTrack(dialog, menuId, reserved1, reserved2, x, y) : 0;
}
#endif
