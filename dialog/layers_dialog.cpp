#include "dialog/layers_dialog.h"

namespace {
// Dialog context, kept until the next setup.
std::uint32_t gDialog = 0;
std::uint32_t gResourceCell = 0;
HostSetInfoFn gSetInfo = nullptr;
}  // namespace

// The dialog's controls are not built yet; only the context is kept.
void SetupLayersDialog(std::uint32_t dialog, std::uint32_t resourceValue, HostSetInfoFn setInfo) {
  gDialog = dialog;
  gResourceCell = resourceValue;
  gSetInfo = setInfo;
}
