#include "dialog/dialog_context.h"
#include "dialog/dialog_controls.h"
#include "dialog/host_dialog_api.h"
#include "dialog/layer_options.h"
#include "dialog/layer_rows.h"
#include "layers/layer_kind_table.h"
#include "layers/layer_list.h"

namespace zu {

void RemoveSelectedLayers(LayerList& list) {
  const ControlRef rows = DialogControl(kLayerList);
  std::int32_t n = host_dialog::CountListItems(rows);
  for (std::int32_t j = 0; j < n;) {
    if (host_dialog::IsListItemSelected(rows, j) == 0) {
      ++j;
      continue;
    }
    // The rows below move up into place j.
    RemoveLayerById(list, host_dialog::GetListItemID(rows, j));
    host_dialog::RemoveListItem(rows, j);
    --n;
  }
}

void AddLayerFromMenu(LayerList& list) {
  ControlBounds anchor{0, 0, 0, 0};
  host_dialog::GetControlBounds(DialogControl(kAddButton), &anchor);
  std::int32_t x = anchor.left + kMenuOffset;
  std::int32_t y = anchor.top + kMenuOffset;
  const std::int32_t item = host_dialog::PopupMenuTrack(CurrentDialog().dialog, kKindMenu, 0, 0, &x, &y) & kMenuItemMask;
  if (item == 0 || item > kKindCount) return;

  const ControlRef rows = DialogControl(kLayerList);
  const std::int32_t selected = host_dialog::GetListSelectedItem(rows);
  const std::int32_t row = selected >= 0 ? selected : list.count;
  // The record comes first: when it cannot be added, no row changes and the selection stays.
  LayerRecord* record = AppendLayer(list, &KindRow(item - 1));
  if (record == nullptr) return;
  if (selected >= 0) host_dialog::SelectListItem(rows, selected, 0);
  // A new row is always checked, whatever the kind's defaults; kLayerOff follows the check mark
  // at confirmation.
  host_dialog::InsertListItemEx(rows, row, RowText(*record), record->id, kRowChecked, 0, 0);
  host_dialog::SelectListItem(rows, row, 1);
  list.selectedId = record->id;
  ShowLayerOptions(record);
}

}  // namespace zu
