// The stored form of a layer list as the host keeps it, built by hand for tests and benchmarks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace hostsim {

struct StoredLayer {
  std::int32_t kind;
  std::uint32_t flags;
  std::int32_t blendMode;
  std::int32_t option1 = 0;
  std::int32_t option2 = 0;
  std::int32_t option3 = 0;
  std::string name;
};

// 'LYER', the base name as a short string, the layer count, then per layer the words kind,
// flags, blend mode and the three options and the name as a short string; every word big-endian.
// Names longer than 255 characters are cut.
std::vector<std::uint8_t> EncodeStoredList(const std::string& baseName, const std::vector<StoredLayer>& layers);

}  // namespace hostsim
