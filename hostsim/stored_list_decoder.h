// Reads the layer list the plug-in hands to the host, written independently of the plug-in's
// own reader so that tests see the bytes the host really received.
//
// Layout, all integers big-endian: 'LYER', the base name as a length byte and that many
// characters, the layer count, then per layer kind, flags, blend mode, option1, option2,
// option3 as 32-bit words and the name like the base name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace hostsim {

struct StoredLayer {
  std::int32_t kind = 0;
  std::uint32_t flags = 0;
  std::int32_t blendMode = 0;
  std::int32_t option1 = 0;
  std::int32_t option2 = 0;
  std::int32_t option3 = 0;
  std::string name;
};

struct StoredList {
  std::string baseName;
  std::vector<StoredLayer> layers;
};

// The list, or none when the bytes are not exactly one stored list: wrong magic, a negative
// count, too few bytes, or bytes left over.
std::optional<StoredList> DecodeStoredList(const std::uint8_t* bytes, std::size_t size);

}  // namespace hostsim
