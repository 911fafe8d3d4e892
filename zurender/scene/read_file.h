// Reads a whole file into memory, refusing what is not a regular file or is larger than a
// bound (a scene must not make the host read a device or exhaust a 32-bit address space).
#pragma once

#include <cstddef>
#include <string>

#include "zurender/base/status.h"

namespace zurender {

// The message on failure says why without naming the file: the caller knows how to name it.
Result<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes);

}  // namespace zurender
