// Whether the plug-in will take a stored layer list, or fall back to its default list.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "hostsim/stored_list_form.h"

namespace zurender {

// The plug-in reads a stored list from the host's block, zeroed past the list, and never further
// than the block's size from its start. It refuses a list whose first word is not 'LYER', whose
// count is negative or larger than the rest of the block could hold, or whose entries run past the
// block; anything else loads. An empty list (nothing stored) is not one it refuses.
bool PluginTakesStoredList(const std::vector<std::uint8_t>& bytes);

// Why a stored list the plug-in takes is not what the plug-in itself writes, or "" when it is
// (or when the plug-in does not take it, which PluginTakesStoredList tells). The plug-in writes
// exactly its entries; a list that counts more than its bytes hold would be read on into the
// zeros past it (one changed byte in a count makes 16,387 blank layers), and bytes after the
// last entry mean the count was cut.
std::string StoredListDamage(const std::vector<std::uint8_t>& bytes);

// The list the plug-in renders from a stored block: the stored list as the plug-in reads it (a
// text of length 0 comes back as one space), or, when nothing is stored or the host cannot read
// what is, the plug-in's default list, of which only the pack is on (the layers that are off are
// left out of it), with no base name.
hostsim::StoredList RenderedList(const std::vector<std::uint8_t>& bytes);

}  // namespace zurender
