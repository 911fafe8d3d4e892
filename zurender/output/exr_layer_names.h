// Channel name prefixes for render layers in one multi-layer EXR file. Readers take everything
// before a channel name's last '.' as its layer and each '.' before that as a level of nesting, so
// a prefix holds no '.'; and two layers may share a declared name, so prefixes are made unique.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "zurender/output/layer_view.h"

namespace zurender {

// Well inside the format's 255-byte names, with room for a suffix and ".R".
constexpr std::size_t kExrMaxPrefixBytes = 200;

// One prefix per layer, in the same order: the name it is shown by (ShownName: a mask's carries
// its number) in UTF-8 with '.' and control characters as '_' ("layer" when empty), cut at kExrMaxPrefixBytes on a character boundary; a prefix
// already taken gets "_2", "_3", ... in declaration order.
std::vector<std::string> ExrChannelPrefixes(std::span<const LayerView> layers);

}  // namespace zurender
