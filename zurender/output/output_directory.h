// The folder a render's files go to.
#pragma once

#include <string>

#include "zurender/base/status.h"

namespace zurender {

// Creates directory (and its parents) and its subfolder "layers", and checks that files can be
// created in both, so that a render fails before it starts rather than after it has run.
Status MakeOutputDirectory(const std::string& directory);

}  // namespace zurender
