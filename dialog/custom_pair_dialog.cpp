#include "dialog/control_text.h"
#include "dialog/dialog_context.h"
#include "dialog/dialog_controls.h"
#include "dialog/dialog_settings.h"
#include "dialog/host_dialog_api.h"
#include "host/stored_block_descriptor.h"

namespace zu {

namespace {

void CopyText(DialogRef from, std::int32_t fromId, DialogRef to, std::int32_t toId) {
  char text[kControlTextSize];
  std::int32_t length = kControlTextSize - 1;
  ReadEditText(host_dialog::FindControlByID(from, fromId), text, &length);
  host_dialog::SetEditTextString(host_dialog::FindControlByID(to, toId), text);
}

// The host takes the item's new value into its settings only when told.
void TellHost(const DialogContext& context, std::int32_t item) {
  if (context.setInfo != nullptr) context.setInfo(context.dialog, kSetInfoCode, item, nullptr);
}

}  // namespace

void EditCustomPair() {
  DialogContext& context = CurrentDialog();
  const DialogRef options = host_dialog::MakeDialog(&context.resourceCell, kOptionsDialog);
  if (options == 0) return;
  CopyText(context.dialog, kOutputPairCustom1, options, kOptionsCustom1);
  CopyText(context.dialog, kOutputPairCustom2, options, kOptionsCustom2);
  if (host_dialog::ExecuteDialog(options) != 0) {
    CopyText(options, kOptionsCustom1, context.dialog, kOutputPairCustom1);
    TellHost(context, kOutputPairCustom1);
    CopyText(options, kOptionsCustom2, context.dialog, kOutputPairCustom2);
    TellHost(context, kOutputPairCustom2);
  }
  host_dialog::DestroyDialog(options);
}

}  // namespace zu
