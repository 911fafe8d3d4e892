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

// Binds every function not bound yet; true when all kHostDialogFunctionCount are bound.
bool BindHostDialogApi();

// Under the host's own names, in a namespace of their own so that every call to the host reads
// as one and none is taken for the plug-in's.
namespace host_dialog {

// One for each function of host/host_dialog.h, of its name and arguments.
#define ZU_DECLARE_HOST_DIALOG_FORWARDER(Name, result, parameters, arguments, target) result Name parameters;
ZU_HOST_DIALOG_FUNCTIONS(ZU_DECLARE_HOST_DIALOG_FORWARDER)
#undef ZU_DECLARE_HOST_DIALOG_FORWARDER

}  // namespace host_dialog

}  // namespace zu
