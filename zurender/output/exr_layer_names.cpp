#include "zurender/output/exr_layer_names.h"

#include <set>

#include "zurender/base/text_encoding.h"

namespace zurender {
namespace {

std::string BasePrefix(std::string_view name) {
  std::string cleaned;
  for (const char c : name) {
    cleaned += (c == '.' || !IsCp1252Printable(c)) ? '_' : c;
  }
  std::string prefix = Cp1252ToUtf8(cleaned);
  if (prefix.size() > kExrMaxPrefixBytes) {
    std::size_t cut = kExrMaxPrefixBytes;
    while (cut > 0 && (static_cast<unsigned char>(prefix[cut]) & 0xC0) == 0x80) --cut;  // not inside a character
    prefix.resize(cut);
  }
  return prefix.empty() ? std::string("layer") : prefix;
}

}  // namespace

std::vector<std::string> ExrChannelPrefixes(std::span<const LayerView> layers) {
  std::vector<std::string> prefixes;
  std::set<std::string> taken;
  for (const LayerView& layer : layers) {
    const std::string base = BasePrefix(ShownName(layer));
    std::string prefix = base;
    for (int n = 2; taken.count(prefix) != 0; ++n) prefix = base + "_" + std::to_string(n);
    taken.insert(prefix);
    prefixes.push_back(prefix);
  }
  return prefixes;
}

}  // namespace zurender
