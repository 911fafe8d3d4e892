#include "zurender/app/layer_kinds.h"

#include "zurender/settings/stored_list_check.h"
#include "zurender/settings/vocabulary.h"

namespace zurender {
namespace {

constexpr std::uint32_t kOff = 0x1;
constexpr std::size_t kDeclaredNameLimit = 63;

// What a declaration of each kind looks like: its component (-1 none), whether it is a mask, and
// its low declaration flags (0x2 for the packs of colour, 0x40 for passes).
struct Signature {
  std::int32_t component;
  bool mask;
  std::uint32_t flags;
};

Signature SignatureOf(int kind, std::int32_t option1) {
  switch (kind) {
    case 1: return {-1, false, 0x3};
    case 2: case 3: return {-1, false, 0x1};
    case 4: return {option1 != 0 ? -1 : 5, false, 0x1};
    case 5: case 9: return {-1, false, 0x41};
    case 6: return {4, false, 0x41};
    case 7: return {3, false, 0x41};
    case 8: return {6, false, 0x41};
    case 10: return {7, false, 0x41};
    case 11: return {8, false, 0x41};
    case 12: return {11, false, 0x3};
    case 13: return {10, false, 0x41};
    case 14: return {-1, true, 0x0};
    case 15: return {9, false, 0x1};
    default: return {-1, false, 0x41};
  }
}

bool Matches(const DeclaredLayer& layer, const Signature& s) {
  return layer.component == s.component && IsMask(layer) == s.mask && (layer.declFlags & 0x43) == s.flags;
}

std::string ComposedName(const std::string& name, const std::string& base, std::int32_t nameMode) {
  // Appended piece by piece: GCC 12 warns wrongly about overlap in string + string at -O3.
  std::string composed;
  composed.append(nameMode == 1 ? base : name);
  if (nameMode == 1 || nameMode == 2) composed.append(nameMode == 1 ? name : base);
  if (composed.size() > kDeclaredNameLimit) composed.resize(kDeclaredNameLimit);
  return composed;
}

}  // namespace

std::vector<std::string> DeclaredKinds(const std::vector<DeclaredLayer>& declared, const PluginSettings& settings) {
  std::vector<std::string> kinds(declared.size());
  const hostsim::StoredList list = RenderedList(settings.storedList);
  const std::vector<hostsim::StoredLayer>& entries = list.layers;
  const std::string& base = list.baseName;
  std::size_t next = 0;
  for (std::size_t i = 0; i < declared.size(); ++i) {
    const DeclaredLayer& layer = declared[i];
    if (IsEdgeMask(layer)) {
      kinds[i] = "Edge Mask";
      continue;
    }
    // The plug-in skips entries that are off and packs it finds nothing for.
    for (std::size_t j = next; j < entries.size(); ++j) {
      const hostsim::StoredLayer& entry = entries[j];
      if ((entry.flags & kOff) || !Matches(layer, SignatureOf(entry.kind, entry.option1)) ||
          ComposedName(entry.name, base, settings.words.nameMode) != layer.name)
        continue;
      kinds[i] = KindName(entry.kind);
      next = j + 1;
      break;
    }
  }
  return kinds;
}

}  // namespace zurender
