// The dialog's own settings: the base name, and the host-kept controls whose enabling the
// plug-in manages.
#pragma once

namespace zu {

struct LayerList;

// The base name's edit text is enabled while the name mode uses it.
void UpdateBaseNameEnable();

// The preset popup is enabled while the output pair is switched on.
void UpdatePresetEnable();

// Makes the base name edit text the list's base name.
void StoreBaseName(LayerList& list);

// Runs the options dialog that edits the custom output pair; on confirmation its two texts go to
// controls 9 and 10 and the host is told of both.
void EditCustomPair();

}  // namespace zu
