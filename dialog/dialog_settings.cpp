#include "dialog/dialog_settings.h"

#include "dialog/control_text.h"
#include "dialog/dialog_context.h"
#include "dialog/dialog_controls.h"
#include "dialog/host_dialog_api.h"
#include "layers/layer_list.h"

namespace zu {

namespace {
// Enables target while control source holds a value other than 0.
void EnableWhileSet(std::int32_t target, std::int32_t source) {
  EnableControl(target, host_dialog::GetControlValue(DialogControl(source)) != 0);
}
}  // namespace

void UpdateBaseNameEnable() { EnableWhileSet(kBaseName, kNameMode); }

void UpdatePresetEnable() { EnableWhileSet(kOutputPairPreset, kOutputPairEnabled); }

void StoreBaseName(LayerList& list) {
  char text[kControlTextSize];
  std::int32_t length = kControlTextSize - 1;  // room for the terminator
  GetControlText(kBaseName, text, &length);
  // The host leaves the text's length, terminator included, in the cell. A cell of 0 or less
  // tells of no text at all; a cell beyond the buffer cuts nothing, the read is terminated.
  if (length <= 0)
    text[0] = '\0';
  else if (length <= kControlTextSize)
    text[length - 1] = '\0';
  SetBaseName(list, text);
}

}  // namespace zu
