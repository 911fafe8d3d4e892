#include "persist/stored_list.h"

#include "layers/layer_list.h"

// The stored list format is not read yet: every load falls back to the defaults.
bool LoadLayerListFromBlock(LayerList&, const std::uint8_t*) { return false; }

void LoadLayerListOrDefault(LayerList& list, std::uint32_t storedList) {
  if (list.items != nullptr) return;
  const auto* block = reinterpret_cast<const std::uint8_t*>(static_cast<std::uintptr_t>(storedList));
  if (!LoadLayerListFromBlock(list, block)) BuildDefaultLayerList(list);
}
