// What one Layers dialog works with, from its setup to the next setup.
#pragma once

#include <cstdint>

#include "host/host_dialog.h"
#include "host/host_services.h"

namespace zu {

struct LayerList;

struct DialogContext {
  DialogRef dialog;            // the Layers dialog the host made
  std::uint32_t resourceCell;  // copy of the host's resource value; its address goes to ZU_MakeDialog
  HostSetInfoFn setInfo;       // host's, valid while the dialog is open; may be none
  LayerList* list;             // the process-wide list the dialog edits
};

// Process-wide: the host runs one Layers dialog at a time.
DialogContext& CurrentDialog();

// The control of the Layers dialog with this id. Looked up at each use: the plug-in keeps no
// control handles.
ControlRef DialogControl(std::int32_t id);

// Enables or disables the Layers dialog's control with this id.
void EnableControl(std::int32_t id, bool on);

}  // namespace zu
