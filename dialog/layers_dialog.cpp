#include "dialog/layers_dialog.h"

#include "dialog/dialog_context.h"
#include "dialog/dialog_controls.h"
#include "dialog/dialog_settings.h"
#include "dialog/host_dialog_api.h"
#include "dialog/layer_options.h"
#include "dialog/layer_rows.h"
#include "layers/layer_list.h"
#include "persist/save_layer_list.h"

namespace zu {

namespace {

void Confirm(DialogContext& context) {
  ApplyListRows(*context.list);
  SaveLayerListToHost(*context.list, context.dialog, context.setInfo);
  ClearLayerList(*context.list);  // the next initialize loads what the host now keeps
}

}  // namespace

bool SetupLayersDialog(LayerList& list, DialogRef dialog, std::uint32_t resourceValue, HostSetInfoFn setInfo) {
  // All or nothing: a dialog half built would call through a function the host does not have.
  if (!BindHostDialogApi()) return false;
  CurrentDialog() = DialogContext{dialog, resourceValue, setInfo, &list};

  host_dialog::SetDialogTitle(dialog, kDialogTitle);
  LayoutOptionControls();
  FillLayerList(list);
  UpdateBaseNameEnable();
  UpdatePresetEnable();
  // The custom pair changes only through the options dialog.
  EnableControl(kOutputPairCustom1, false);
  EnableControl(kOutputPairCustom2, false);
  if (list.baseName != nullptr) host_dialog::SetEditTextString(DialogControl(kBaseName), list.baseName);

  host_dialog::SetControlHitFunction(DialogControl(kConfirmButton), &LayersDialogHit);
  host_dialog::SetControlHitFunction(DialogControl(kCancelButton), &LayersDialogHit);
  for (std::int32_t id = kFirstHostKeptControl; id <= kLastHitControl; ++id)
    host_dialog::SetControlHitFunction(DialogControl(id), &LayersDialogHit);
  host_dialog::SetControlDrawImmediate(DialogControl(kRemoveButton), 1);
  host_dialog::SetControlDrawImmediate(DialogControl(kBlendPopup), 1);
  return true;
}

std::int32_t ZU_ABI LayersDialogHit(ControlRef control) noexcept {
  DialogContext& context = CurrentDialog();
  if (context.list == nullptr) return 0;
  LayerList& list = *context.list;
  const std::int32_t id = host_dialog::GetControlID(control);
  switch (id) {
    case kConfirmButton:
      Confirm(context);
      break;
    case kCancelButton:
      ClearLayerList(list);
      break;
    case kNameMode:
      UpdateBaseNameEnable();
      break;
    case kOutputPairEnabled:
      UpdatePresetEnable();
      break;
    case kOutputPairPreset:
      if (host_dialog::GetControlValue(DialogControl(kOutputPairPreset)) == kCustomOutputPairPreset) EditCustomPair();
      break;
    case kLayerList:
      SyncSelection(list);
      break;
    case kAddButton:
      AddLayerFromMenu(list);
      break;
    case kRemoveButton:
      RemoveSelectedLayers(list);
      SyncSelection(list);
      break;
    case kBaseName:
      StoreBaseName(list);
      break;
    default:
      if (id >= kBlendPopup && id <= kLastOptionControl) StoreOptionControl(list, id);
      break;  // 3, 4, 8, 9, 10 and ids outside the dialog: nothing
  }
  return 0;
}

}  // namespace zu
