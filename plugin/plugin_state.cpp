#include "plugin/plugin_state.h"

namespace zu {

namespace {
std::uint32_t gHostCode = 0;
constinit LayerList gDialogLayerList = EmptyLayerList();

// Runs when the library is unloaded: the dialog list gives its blocks back through the
// release function last recorded.
struct ReleaseDialogListAtUnload {
  ~ReleaseDialogListAtUnload() { ClearLayerList(gDialogLayerList); }
} gReleaseAtUnload;
}  // namespace

std::uint32_t& HostCode() { return gHostCode; }

LayerList& DialogLayerList() { return gDialogLayerList; }

}  // namespace zu
