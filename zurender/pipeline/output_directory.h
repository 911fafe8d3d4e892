// The folder a render's files go to.
#pragma once

#include <string>
#include <vector>

#include "zurender/base/status.h"

namespace zurender {

// Creates directory (and its parents) and, for the previews, its subfolder "layers", and checks
// that files can be created in them, so that a render fails before it starts rather than after.
// The folders it made that were not there, outermost first, go into made.
Status MakeOutputDirectory(const std::string& directory, bool withPreviews = true,
                           std::vector<std::string>* made = nullptr);

}  // namespace zurender
