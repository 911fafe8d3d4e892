#include "dialog/dialog_context.h"
#include "dialog/dialog_controls.h"
#include "dialog/host_dialog_api.h"
#include "dialog/layer_options.h"
#include "dialog/layer_rows.h"
#include "layers/layer_list.h"

namespace zu {

const char* RowText(const LayerRecord& record) { return record.name != nullptr ? record.name : ""; }

std::int32_t RowFlagsOf(const LayerRecord& record) {
  return ((record.flags & kLayerOff) == 0 ? kRowChecked : 0) | ((record.flags & kLayerMarked) != 0 ? kRowMarked : 0);
}

void FillLayerList(LayerList& list) {
  // No list was loaded (invalid parameters, or a stored list without layers): show the defaults.
  if (list.items == nullptr) BuildDefaultLayerList(list);
  const ControlRef rows = DialogControl(kLayerList);
  host_dialog::SetListFlags(rows, kLayerListFlags);
  for (std::int32_t i = 0; i < list.count; ++i) {
    const LayerRecord& record = list.items[i];
    host_dialog::InsertListItemEx(rows, i, RowText(record), record.id, RowFlagsOf(record), 0, 0);
  }
  const std::int32_t selected = host_dialog::GetListSelectedItem(rows);
  list.selectedId = selected < 0 ? -1 : host_dialog::GetListItemID(rows, selected);
  host_dialog::ScrollList2Item(rows, selected > 0 ? selected : 0);
  ShowLayerOptions(FindLayerById(list, list.selectedId));
}

void SyncSelection(LayerList& list) {
  const ControlRef rows = DialogControl(kLayerList);
  const std::int32_t selected = host_dialog::GetListSelectedItem(rows);
  // Without a selection the host's negative answer stands for the id: no layer has one.
  const std::int32_t id = selected >= 0 ? host_dialog::GetListItemID(rows, selected) : selected;
  if (id == list.selectedId) return;
  list.selectedId = id;
  ShowLayerOptions(FindLayerById(list, id));
}

}  // namespace zu
