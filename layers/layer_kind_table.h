// The fifteen layer kinds with their defaults, and the kinds of the default list.
#pragma once

#include <cstdint>

#include "host/layer_kind.h"

namespace zu {

struct LayerKindRow {
  std::int32_t kind;
  std::uint32_t flags;      // default LayerRecord::flags
  std::int32_t blendMode;   // default BlendMode index
  const char* name;         // the layer name shown to the user
};

// Row of the table at a zero-based index; callers keep the index within 0 to kKindCount - 1.
const LayerKindRow& KindRow(std::int32_t index);

// Row of a kind, or none for a kind outside the table.
const LayerKindRow* FindKindRow(std::int32_t kind);

// Kinds of the default list, in list order.
extern const std::int32_t kDefaultLayerKinds[6];

}  // namespace zu
