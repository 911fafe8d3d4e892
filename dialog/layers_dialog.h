// The Layers dialog, built on the dialog the host made: the user edits the layer list there,
// and confirmation hands it to the host.
#pragma once

#include <cstdint>

#include "host/host_dialog.h"
#include "host/host_services.h"

namespace zu {

struct LayerList;

// Binds the host's dialog functions and builds the dialog on it. When the host lacks one of
// them nothing is built, the dialog is not touched, and the result is false.
// list is edited until the dialog closes; setInfo is the host's and may be none.
bool SetupLayersDialog(LayerList& list, DialogRef dialog, std::uint32_t resourceValue, HostSetInfoFn setInfo);

// The dialog's one hit function: the host calls it with the control the user operated.
std::int32_t ZU_ABI LayersDialogHit(ControlRef control) noexcept;

}  // namespace zu
