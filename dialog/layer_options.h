// The controls that show and edit the selected layer's blend mode and per-kind options.
#pragma once

#include <cstdint>

namespace zu {

struct LayerList;
struct LayerRecord;

// Moves every kind's option controls to the one place they share, since only one kind's
// controls are visible at a time, and aligns kLaidOutItem with kLayoutReference.
void LayoutOptionControls();

// Shows record's blend mode and exactly its kind's option controls; without a record the remove
// button and the blend popup are disabled and every option control is hidden.
void ShowLayerOptions(const LayerRecord* record);

// Writes option control id back into the selected layer; nothing without a selected layer or
// when the control does not belong to its kind.
void StoreOptionControl(LayerList& list, std::int32_t id);

// Enables the Additives Pack's component checkboxes, which only a manual pack uses.
void EnableComponentChecks(bool on);

}  // namespace zu
