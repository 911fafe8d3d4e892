// One layer of a list: what it holds, how it blends, and its per-kind options. Its kind, flag
// bits and blend mode are the host's vocabulary (host/layer_kind.h, layer_flags.h, blend_mode.h).
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/layer_flags.h"
#include "host/layer_kind.h"

namespace zu {

struct LayerKindRow;

struct LayerRecord {
  std::int32_t id;           // unique and positive within its list
  std::int32_t kind;         // a LayerKind
  std::uint32_t flags;       // LayerFlag bits
  std::int32_t blendMode;    // BlendMode index 0 to 22
  std::int32_t option1;      // first per-kind option
  std::int32_t option2;      // second per-kind option
  std::int32_t option3;      // stored and loaded, read by nothing
  std::int32_t hostLayerId;  // host's id for the declared layer; meaningful only after declaration
  char* name;                // host-allocated copy owned by the record, or none
};

static_assert(offsetof(LayerRecord, name) == 32);
static_assert(sizeof(LayerRecord) == 36);

// Resets the record to the kind's defaults (or to an empty record without a row), with id and
// hostLayerId 0. The name is a fresh host copy; any name the record held is not released here.
void InitLayerFromKind(LayerRecord& record, const LayerKindRow* row);

void ReleaseLayerName(LayerRecord& record);

// Replaces the name with a host copy of text; returns the new name, none when text is none or
// the copy fails.
const char* SetLayerName(LayerRecord& record, const char* text);

void SetLayerFlags(LayerRecord& record, std::uint32_t bits, bool on);

// Orders records by ascending id: -1, 0 or 1.
int CompareLayerIds(const LayerRecord& a, const LayerRecord& b);

}  // namespace zu
