// List control 11: one row per layer, carrying the layer's name as its text, its id as the row's
// item id, and its check mark (rendered) and row mark. The row order, texts and marks live in the
// list until confirmation; everything else the dialog changes goes into the layer list at once.
#pragma once

#include <cstdint>

namespace zu {

struct LayerList;
struct LayerRecord;

// Text of a layer's row: its name, or an empty text for a layer whose name could not be copied.
const char* RowText(const LayerRecord& record);

// Row flags of a layer: check mark when it is rendered, plus the row mark.
std::int32_t RowFlagsOf(const LayerRecord& record);

// Shows every layer (the default list when none is loaded) and the selected layer's options.
void FillLayerList(LayerList& list);

// Follows the list's selected row; the options are rewritten only when the selection changed.
void SyncSelection(LayerList& list);

// Removes every selected row and its layer.
void RemoveSelectedLayers(LayerList& list);

// Adds a layer of the kind chosen in the kind menu ahead of the selected row, or after the last
// one, and selects it. When the layer cannot be added the dialog stays as it was.
void AddLayerFromMenu(LayerList& list);

// Brings the rows' check marks, row marks, texts and order into the layer records, then numbers
// the layers 1 to count in row order.
void ApplyListRows(LayerList& list);

}  // namespace zu
