// What the render host's fuzz targets share: a breach of what a reader promises aborts, which
// libFuzzer reports as a crash with the input that caused it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>

#include "zurender/base/read_limits.h"

namespace zurender::fuzz {

inline void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "fuzz target: %s\n", what);
  std::abort();
}

inline std::string Text(const std::uint8_t* data, std::size_t size) { return std::string(reinterpret_cast<const char*>(data), size); }

// The layered readers take no more than a small frame's worth here: an input of a few kilobytes
// may claim a canvas of gigabytes, and the limit is what keeps the reader from taking it.
inline ImageReadLimits SmallFrame() { return ImageReadLimits{std::uint64_t(1) << 20, std::uint64_t(2) << 20}; }

}  // namespace zurender::fuzz
