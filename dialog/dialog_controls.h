// How the plug-in uses the Layers dialog's controls: its title, the ranges it treats alike, and
// the values it gives them. The controls themselves are the host's (host/layers_dialog_resource.h).
#pragma once

#include <cstdint>

#include "host/layers_dialog_resource.h"
#include "zu_version.h"

namespace zu {

constexpr const char kDialogTitle[] = "ZU Layers " ZU_VERSION_TEXT;

constexpr std::int32_t kFirstOptionControl = kDiffuseLighting;      // 15 to 25 show one kind's options
constexpr std::int32_t kLastOptionControl = kAddRefractionsCheck;
constexpr std::int32_t kFirstHostKeptControl = kNameMode;           // hit function on 5 to 26
constexpr std::int32_t kLastHitControl = kBaseName;

constexpr std::int32_t kCustomPreset = 4;  // the kOutputPairPreset value that opens the options dialog

// The layer list's flags, as the host's list control takes them.
constexpr std::int32_t kLayerListFlags = 43;

// Where the kind menu opens, and which part of its answer is the item.
constexpr std::int32_t kMenuOffset = 2;         // just inside the add button's corner
constexpr std::int32_t kMenuItemMask = 0xFFFF;  // the item is in the answer's low half

}  // namespace zu
