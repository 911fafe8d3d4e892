// How the plug-in uses the Layers dialog's controls: its title, the ranges it treats alike, and
// the values it gives them. The controls themselves are the host's (host/layers_dialog_resource.h).
#pragma once

#include <cstdint>

#include "host/host_dialog.h"
#include "host/layers_dialog_resource.h"
#include "host/parameter_block.h"
#include "zu_version.h"

namespace zu {

constexpr const char kDialogTitle[] = "ZU Layers " ZU_VERSION_TEXT;

constexpr std::int32_t kFirstOptionControl = kDiffuseLighting;      // 15 to 25 show one kind's options
constexpr std::int32_t kLastOptionControl = kAddRefractionsCheck;
constexpr std::int32_t kFirstHostKeptControl = kNameMode;           // hit function on 5 to 26
constexpr std::int32_t kLastHitControl = kBaseName;

// The layer list's flags, as the host's list control takes them.
constexpr std::int32_t kLayerListFlags = 43;

// Where the kind menu opens: just inside the add button's corner.
constexpr std::int32_t kMenuOffset = 2;

}  // namespace zu
