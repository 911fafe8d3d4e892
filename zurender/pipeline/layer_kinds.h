// Which kind of layer each declaration is. The declaration does not say; the stored list the host
// keeps does, and the plug-in declares its enabled entries in list order, under their composed
// names. Without a stored list the plug-in renders its default list.
#pragma once

#include <string>
#include <vector>

#include "zurender/pipeline/declared_layer.h"
#include "zurender/settings/settings_file.h"

namespace zurender {

// The kind name of every declared layer ("Edge Mask" for the edge mask), or "" where the host
// cannot tell.
std::vector<std::string> DeclaredKinds(const std::vector<DeclaredLayer>& declared, const PluginSettings& settings);

}  // namespace zurender
