#include <algorithm>

#include "dialog/dialog_context.h"
#include "dialog/dialog_controls.h"
#include "dialog/host_dialog_api.h"
#include "dialog/layer_rows.h"
#include "layers/layer_list.h"

namespace zu {

namespace {
// A row's text is read whole up to this size, terminator included; longer names than the 64
// characters storage keeps are allowed in the list.
constexpr std::int32_t kRowTextSize = 128;
}  // namespace

void ApplyListRows(LayerList& list) {
  const ControlRef rows = DialogControl(kLayerList);
  const std::int32_t n = host_dialog::CountListItems(rows);
  for (std::int32_t i = 0; i < n; ++i) {
    LayerRecord* record = FindLayerById(list, host_dialog::GetListItemID(rows, i));
    if (record == nullptr) continue;
    const std::int32_t rowFlags = host_dialog::GetListItemFlags(rows, i);
    SetLayerFlags(*record, kLayerOff, (rowFlags & kRowChecked) == 0);
    SetLayerFlags(*record, kLayerMarked, (rowFlags & kRowMarked) != 0);
    char text[kRowTextSize] = {};
    std::int32_t capacity = kRowTextSize - 1;
    host_dialog::GetListString(rows, i, text, &capacity);
    text[kRowTextSize - 1] = '\0';  // the host may fill the whole capacity without a terminator
    SetLayerName(*record, text);
    // Above every id the list held, so a record renumbered here is never found for a later row.
    record->id = list.nextId + i;
  }
  // Only the list's records: rows without a record can make the rows outnumber them.
  std::sort(list.items, list.items + list.count,
            [](const LayerRecord& a, const LayerRecord& b) { return CompareLayerIds(a, b) < 0; });
  RenumberLayers(list);
}

}  // namespace zu
