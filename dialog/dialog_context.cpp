#include "dialog/dialog_context.h"

#include "dialog/host_dialog_api.h"

namespace zu {

namespace {
DialogContext gContext{0, 0, nullptr, nullptr};
}

DialogContext& CurrentDialog() { return gContext; }

ControlRef DialogControl(std::int32_t id) { return host_dialog::FindControlByID(gContext.dialog, id); }

void EnableControl(std::int32_t id, bool on) { host_dialog::SetControlEnable(DialogControl(id), on ? 1 : 0); }

}  // namespace zu
