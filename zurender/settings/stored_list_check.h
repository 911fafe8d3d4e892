// Whether the plug-in will take a stored layer list, or fall back to its default list.
#pragma once

#include <cstdint>
#include <vector>

namespace zurender {

// The plug-in reads a stored list from the host's block, zeroed past the list, and never further
// than the block's size from its start. It refuses a list whose first word is not 'LYER', whose
// count is negative or larger than the rest of the block could hold, or whose entries run past the
// block; anything else loads. An empty list (nothing stored) is not one it refuses.
bool PluginTakesStoredList(const std::vector<std::uint8_t>& bytes);

}  // namespace zurender
