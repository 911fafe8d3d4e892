// The host's dialog resources as a person sees them: where each control of the Layers dialog
// stands, what it is called and which items its popup offers; the options dialog; the kind menu.
// The host makes its dialogs from these; the plug-in knows the controls only by their ids
// (host/layers_dialog_resource.h) and moves some of them itself when it lays the dialog out.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/host_dialog.h"

namespace hostsim {

enum class ControlKind { Button, Checkbox, Popup, EditText, List, Static, Group, Separator };

struct ControlResource {
  std::int32_t id = 0;
  ControlKind kind = ControlKind::Static;
  ControlBounds bounds{0, 0, 0, 0};  // in the dialog, pixels from its top left
  std::string label;                 // UTF-8; a button's or checkbox's text; a popup's or edit text's title
  std::int32_t labelWidth = 0;       // of a popup's or edit text's title, inside the bounds
  std::vector<std::string> items;    // a popup's items: value n shows item n, counted from 0
};

struct DialogResource {
  std::string title;  // until the plug-in sets its own
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::vector<ControlResource> controls;
};

// The Layers dialog: controls 1 to 28. The option controls of the kinds that are not Diffuse
// Pack stand apart, beyond the dialog's right edge, as a resource editor keeps controls that
// share a place; the plug-in moves them onto control 15 when it lays the dialog out.
const DialogResource& LayersDialogResource();
// The options dialog of the custom output pair (kOptionsDialog).
const DialogResource& OptionsDialogResource();
// A popup menu's items, counted from 1 as the menu answers; empty for a menu the host lacks.
const std::vector<std::string>& MenuResource(std::int32_t menuId);

}  // namespace hostsim
