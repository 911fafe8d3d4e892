// How much a reader of layered image files may take: the file's size, and the memory its decoded
// layers fill (16 bytes a pixel each, all held at once). The defaults are what a 32-bit process
// can hold; a check passes what the render's own frame needs (zurender/app/check_command.cpp).
#pragma once

#include <cstdint>

namespace zurender {

struct ImageReadLimits {
  std::uint64_t fileBytes = std::uint64_t(2) << 30;       // 2 GiB
  std::uint64_t decodedBytes = std::uint64_t(3) << 29;    // 1.5 GiB
};

}  // namespace zurender
