// How much room the host gives a stored layer list.
#pragma once

#include <cstddef>

namespace hostsim {

// The host hands the plug-in a stored list's address but never its size, so it keeps every
// stored list at the start of a block at least this large, zeroed past the list: the plug-in reads
// at most this far from a list's start, and a load then never reads outside the host's memory.
// Lists larger than this are not kept.
constexpr std::size_t kStoredBlockBytes = 0x100000;

}  // namespace hostsim
