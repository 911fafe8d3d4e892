// Whether the plug-in will take a stored layer list, or fall back to its default list.
#pragma once

#include <cstdint>
#include <vector>

#include "hostsim/stored_list_form.h"

namespace zurender {

// The plug-in reads a stored list from the host's block, zeroed past the list, and never further
// than the block's size from its start. It refuses a list whose first word is not 'LYER', whose
// count is negative or larger than the rest of the block could hold, or whose entries run past the
// block; anything else loads. An empty list (nothing stored) is not one it refuses.
bool PluginTakesStoredList(const std::vector<std::uint8_t>& bytes);

// The list the plug-in renders from a stored block: the stored list as the plug-in reads it (a
// text of length 0 comes back as one space), or, when nothing is stored or the host cannot read
// what is, the plug-in's default list, of which only the pack is on (the layers that are off are
// left out of it), with no base name.
hostsim::StoredList RenderedList(const std::vector<std::uint8_t>& bytes);

}  // namespace zurender
