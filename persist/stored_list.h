// Loading the layer list the host keeps for the shader.
#pragma once

#include <cstdint>

namespace zu {

struct LayerList;

// Parses the stored list at block into list; false when there is none or it does not parse.
bool LoadLayerListFromBlock(LayerList& list, const std::uint8_t* block);

// Leaves a loaded list (one with an item array) alone; otherwise loads the stored list at the
// host address storedList, or builds the default list when that fails.
void LoadLayerListOrDefault(LayerList& list, std::uint32_t storedList);

}  // namespace zu
