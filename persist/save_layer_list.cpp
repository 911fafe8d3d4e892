#include "persist/save_layer_list.h"

// The stored list format is not written yet: nothing reaches the host.
void SaveLayerListToHost(const LayerList&, std::uint32_t, HostSetInfoFn) {}
