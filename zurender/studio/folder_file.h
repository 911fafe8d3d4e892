// A file of the output folder, opened by the name a render gave it there and never by a path:
// only a regular file whose real path lies inside the folder's own.
#pragma once

#include <optional>
#include <string>

#include "zurender/base/file_reading.h"

namespace zurender {

// The file, open through the one reader (zurender/base/file_reading.h); none for an empty or
// absolute name, one with a "." or ".." part, one that leads out of the folder through a symbolic
// link, or anything but a regular file.
std::optional<ReadableFile> OpenFolderFile(const std::string& folder, const std::string& name);

}  // namespace zurender
