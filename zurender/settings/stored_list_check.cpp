#include "zurender/settings/stored_list_check.h"

#include "host/blend_mode.h"
#include "host/layer_flags.h"
#include "host/layer_kind.h"
#include "host/stored_block_descriptor.h"
#include "hostsim/stored_block.h"

namespace zurender {
namespace {

constexpr std::size_t kEntryBytes = 24;      // six words
constexpr std::size_t kSmallestEntry = 25;   // six words and an empty name's length byte

}  // namespace

bool PluginTakesStoredList(const std::vector<std::uint8_t>& bytes) {
  if (bytes.empty()) return true;
  constexpr std::size_t kLimit = hostsim::kStoredBlockBytes;
  if (bytes.size() > kLimit) return false;
  // Past the list the host's block holds zeros.
  auto at = [&](std::size_t i) -> std::uint32_t { return i < bytes.size() ? bytes[i] : 0; };
  std::size_t pos = 0;
  auto word = [&] {
    const std::uint32_t w = at(pos) << 24 | at(pos + 1) << 16 | at(pos + 2) << 8 | at(pos + 3);
    pos += 4;
    return w;
  };
  auto text = [&] { pos += 1 + at(pos); };
  if (pos + 4 > kLimit || word() != kStoredListMagic) return false;
  if (pos + 1 > kLimit) return false;
  text();
  if (pos + 4 > kLimit) return false;
  const std::int32_t count = std::int32_t(word());
  if (count < 0 || pos > kLimit || std::size_t(count) > (kLimit - pos) / kSmallestEntry) return false;
  for (std::int32_t i = 0; i < count; ++i) {
    if (pos + kEntryBytes + 1 > kLimit) return false;
    pos += kEntryBytes;
    text();
    if (pos > kLimit) return false;
  }
  return true;
}

std::string StoredListDamage(const std::vector<std::uint8_t>& bytes) {
  if (bytes.empty() || !PluginTakesStoredList(bytes) || hostsim::DecodeStoredList(bytes.data(), bytes.size()))
    return "";
  // The plug-in reads zeros past the bytes, as the host's block holds them; so does this.
  auto at = [&](std::size_t i) -> std::uint32_t { return i < bytes.size() ? bytes[i] : 0; };
  std::size_t pos = 4;
  pos += 1 + at(pos);
  const std::uint32_t count = at(pos) << 24 | at(pos + 1) << 16 | at(pos + 2) << 8 | at(pos + 3);
  pos += 4;
  if (pos > bytes.size()) return "its " + std::to_string(bytes.size()) + " bytes end inside the list's header";
  std::uint32_t held = 0;
  while (held < count && pos + kEntryBytes < bytes.size() && pos + kEntryBytes + 1 + at(pos + kEntryBytes) <= bytes.size()) {
    pos += kEntryBytes + 1 + at(pos + kEntryBytes);
    ++held;
  }
  const std::string size = std::to_string(bytes.size()) + " bytes";
  if (held < count)
    return "the list counts " + std::to_string(count) + " layers, but its " + size + " hold " + std::to_string(held);
  return std::to_string(bytes.size() - pos) + " bytes follow the last of its " + std::to_string(count) + " layers";
}

hostsim::StoredList RenderedList(const std::vector<std::uint8_t>& bytes) {
  if (auto list = bytes.empty() ? std::nullopt : hostsim::DecodeStoredList(bytes.data(), bytes.size())) {
    if (list->baseName.empty()) list->baseName.assign(1, ' ');
    for (hostsim::StoredLayer& entry : list->layers)
      if (entry.name.empty()) entry.name.assign(1, ' ');
    return *list;
  }
  return hostsim::StoredList{
      "", {hostsim::StoredLayer{kDiffusePack, kLayerCarried, kBlendNormal, 0, 0, 0, kKindNames[kDiffusePack]}}};
}

}  // namespace zurender
