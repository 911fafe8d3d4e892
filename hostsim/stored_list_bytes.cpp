#include "hostsim/stored_list_bytes.h"

#include "host/abi.h"

namespace hostsim {
namespace {

void PutWord(std::vector<std::uint8_t>& out, std::uint32_t word) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(std::uint8_t(word >> shift));
}

void PutShortString(std::vector<std::uint8_t>& out, const std::string& text) {
  const std::size_t length = text.size() < 255 ? text.size() : 255;
  out.push_back(std::uint8_t(length));
  out.insert(out.end(), text.begin(), text.begin() + std::ptrdiff_t(length));
}

}  // namespace

std::vector<std::uint8_t> EncodeStoredList(const std::string& baseName, const std::vector<StoredLayer>& layers) {
  std::vector<std::uint8_t> out;
  PutWord(out, FourCC("LYER"));
  PutShortString(out, baseName);
  PutWord(out, std::uint32_t(layers.size()));
  for (const StoredLayer& layer : layers) {
    for (std::uint32_t word : {std::uint32_t(layer.kind), layer.flags, std::uint32_t(layer.blendMode),
                               std::uint32_t(layer.option1), std::uint32_t(layer.option2), std::uint32_t(layer.option3)})
      PutWord(out, word);
    PutShortString(out, layer.name);
  }
  return out;
}

}  // namespace hostsim
