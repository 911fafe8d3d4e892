// A file of the output folder, opened by the name a render gave it there and never by a path:
// only a regular file whose real path lies inside the folder's own.
#pragma once

#include <cstdint>
#include <string>

namespace zurender {

// The open descriptor and the file's size; -1 for an empty or absolute name, one with a "." or
// ".." part, one that leads out of the folder through a symbolic link, or anything but a file.
int OpenFolderFile(const std::string& folder, const std::string& name, std::uint64_t& size);

}  // namespace zurender
