#include "zurender/dialog/layers_dialog_session.h"

#include <cstdlib>

#include "host/host_dialog.h"
#include "host/layer_kind.h"
#include "host/layers_dialog_resource.h"
#include "hostsim/dialog_resources.h"
#include "hostsim/records.h"
#include "zurender/settings/vocabulary.h"

namespace zurender {
namespace {

std::int32_t TextNumber(const std::string& text) { return std::int32_t(std::strtol(text.c_str(), nullptr, 10)); }

}  // namespace

LayersDialogSession::LayersDialogSession(PluginHost& plugin) : plugin_(plugin) {}

LayersDialogSession::~LayersDialogSession() {
  // A dialog left open is cancelled, so that the plug-in lets go of the list it shows.
  if (open_ && toolkit_) toolkit_->HitAsHost(dialog_, kCancelButton);
}

bool LayersDialogSession::Open(const PluginSettings& settings, std::string& error) {
  // The rows show names and marks only. To know the layer behind each row exactly as the plug-in
  // holds it, the host first has the plug-in hand the list over unchanged, then opens the dialog
  // again on that list: row i is then record i.
  PluginSettings loaded;
  if (!OpenDialog(settings, error) || !ConfirmDialog(loaded, error)) return false;
  const auto list = hostsim::DecodeStoredList(loaded.storedList.data(), loaded.storedList.size());
  if (!list) {
    error = "the plug-in handed back a layer list the host cannot read";
    return false;
  }
  layers_ = list->layers;
  baseName_ = list->baseName;
  if (!OpenDialog(loaded, error)) return false;
  ReadRows();
  return true;
}

bool LayersDialogSession::OpenDialog(const PluginSettings& settings, std::string& error) {
  plugin_.Become(kInterfaceHostCode);
  keeper_.reset();
  toolkit_ = std::make_unique<hostsim::DialogToolkit>();
  keeper_ = std::make_unique<hostsim::StoredListKeeper>(*toolkit_);
  toolkit_->SetUser(this);

  if (!settings_.Set(settings, error)) return false;
  openedWords_ = settings.words;
  ShaderRecord shader = hostsim::MakeShaderRecord(plugin_.allocator(), settings_.params());
  plugin_.entry().initialize(&shader);

  // The host makes the dialog from its resource and shows its own settings in it.
  dialog_ = toolkit_->MakeLayersDialog(hostsim::LayersDialogResource());
  toolkit_->FindControl(dialog_, kNameMode)->value = settings.words.nameMode;
  toolkit_->FindControl(dialog_, kOutputPairEnabled)->value = settings.words.outputPairEnabled;
  toolkit_->FindControl(dialog_, kOutputPairPreset)->value = settings.words.outputPairPreset;
  toolkit_->FindControl(dialog_, kEdgeMask)->value = settings.words.edgeMask;
  toolkit_->FindControl(dialog_, kOutputPairCustom1)->text = std::to_string(settings.words.outputPairCustom1);
  toolkit_->FindControl(dialog_, kOutputPairCustom2)->text = std::to_string(settings.words.outputPairCustom2);
  InterfaceRecord record = toolkit_->LayersDialogRecord(dialog_, keeper_->function());
  plugin_.entry().interfaceSetup(&record);
  if (toolkit_->FindControl(dialog_, kConfirmButton)->hit == nullptr) {
    error = "the plug-in built no Layers dialog";
    return false;
  }
  open_ = true;
  return true;
}

bool LayersDialogSession::ConfirmDialog(PluginSettings& settings, std::string& error) {
  if (!open_ || !toolkit_->Press(dialog_, kConfirmButton)) {
    error = "the dialog could not be confirmed";
    return false;
  }
  open_ = false;
  if (!keeper_->HasStoredList()) {
    error = "the plug-in handed no layer list to the host";
    return false;
  }
  const std::uint8_t* bytes = keeper_->StoredListBytes();
  settings.storedList.assign(bytes, bytes + keeper_->StoredListSize());
  // The host keeps the words it opened the dialog with, and takes items 5 to 10 from the dialog.
  settings.words = openedWords_;
  settings.words.nameMode = Control(kNameMode);
  settings.words.outputPairEnabled = Control(kOutputPairEnabled);
  settings.words.outputPairPreset = Control(kOutputPairPreset);
  settings.words.edgeMask = Control(kEdgeMask);
  settings.words.outputPairCustom1 = TextNumber(ControlText(kOutputPairCustom1));
  settings.words.outputPairCustom2 = TextNumber(ControlText(kOutputPairCustom2));
  return true;
}

bool LayersDialogSession::Confirm(PluginSettings& settings, std::string& error) {
  return ConfirmDialog(settings, error);
}

void LayersDialogSession::ReadRows() {
  rows_.clear();
  const hostsim::SimControl* list = toolkit_->FindControl(dialog_, kLayerList);
  for (const hostsim::ListRow& row : list->rows) {
    DialogRow shown{row.text, (row.flags & kRowChecked) != 0, {}};
    // Rows of the opened list carry the ids 1 to n of its records; added rows carry later ids.
    if (row.itemId >= 1 && std::size_t(row.itemId) <= layers_.size()) shown.layer = layers_[std::size_t(row.itemId) - 1];
    rows_.push_back(shown);
  }
}

std::int32_t LayersDialogSession::Control(std::int32_t id) const {
  const hostsim::SimControl* control = toolkit_->FindControl(dialog_, id);
  return control ? control->value : 0;
}

std::string LayersDialogSession::ControlText(std::int32_t id) const {
  const hostsim::SimControl* control = toolkit_->FindControl(dialog_, id);
  return control ? control->text : std::string();
}

bool LayersDialogSession::SelectRows(const std::vector<std::int32_t>& rows) { return toolkit_->SelectRows(dialog_, rows); }

bool LayersDialogSession::Press(std::int32_t control) {
  const std::size_t before = toolkit_->FindControl(dialog_, kLayerList)->rows.size();
  chosenKind_ = 0;
  if (!toolkit_->Press(dialog_, control)) return false;
  // The plug-in gives a new record the next id, which is one past the records the host knows.
  const std::size_t after = toolkit_->FindControl(dialog_, kLayerList)->rows.size();
  if (control == kAddButton && after == before + 1 && chosenKind_ >= 1 && chosenKind_ <= kKindCount)
    layers_.push_back(hostsim::StoredLayer{chosenKind_, 0, 0, 0, 0, 0, KindName(chosenKind_)});
  ReadRows();
  return true;
}

bool LayersDialogSession::AddLayer(std::int32_t kind, std::optional<std::int32_t> atRow) {
  // The new row goes in ahead of the selected row, or after the last when none is selected.
  if (!SelectRows(atRow ? std::vector<std::int32_t>{*atRow} : std::vector<std::int32_t>{})) return false;
  const std::size_t before = rows_.size();
  menuChoice_ = kind;
  const bool pressed = Press(kAddButton);
  menuChoice_ = 0;
  return pressed && rows_.size() == before + 1;
}

bool LayersDialogSession::ToggleRowMark(std::int32_t row) {
  if (!toolkit_->ToggleRowMark(dialog_, row)) return false;
  ReadRows();
  return true;
}

bool LayersDialogSession::Cancel() {
  if (!open_ || !toolkit_->Press(dialog_, kCancelButton)) return false;
  open_ = false;
  return true;
}

bool LayersDialogSession::RemoveRows(const std::vector<std::int32_t>& rows) {
  if (rows.empty() || !SelectRows(rows) || !toolkit_->Press(dialog_, kRemoveButton)) return false;
  ReadRows();
  return true;
}

bool LayersDialogSession::MoveRow(std::int32_t from, std::int32_t to) {
  if (!toolkit_->MoveRow(dialog_, from, to)) return false;
  ReadRows();
  return true;
}

bool LayersDialogSession::SetRowOn(std::int32_t row, bool on) {
  if (row < 0 || std::size_t(row) >= rows_.size()) return false;
  if (rows_[std::size_t(row)].on != on && !toolkit_->ToggleCheckMark(dialog_, row)) return false;
  ReadRows();
  return true;
}

bool LayersDialogSession::RenameRow(std::int32_t row, const std::string& name) {
  if (!toolkit_->EditRowText(dialog_, row, name)) return false;
  ReadRows();
  return true;
}

bool LayersDialogSession::SetValue(std::int32_t control, std::int32_t value) {
  return toolkit_->SetValue(dialog_, control, value);
}

bool LayersDialogSession::SetText(std::int32_t control, const std::string& text) {
  return toolkit_->SetText(dialog_, control, text);
}

bool LayersDialogSession::SetCustomPair(const std::string& first, const std::string& second) {
  pairAnswer_ = std::make_pair(first, second);
  // The custom preset opens the options dialog, in which the user types the pair and confirms.
  const bool set = toolkit_->SetValue(dialog_, kOutputPairEnabled, 1) && toolkit_->SetValue(dialog_, kOutputPairPreset, 4);
  const bool answered = !pairAnswer_.has_value();
  pairAnswer_.reset();
  return set && answered;
}

std::int32_t LayersDialogSession::ChooseFromMenu(std::int32_t menuId, std::int32_t x, std::int32_t y) {
  std::int32_t answer = 0;
  if (menuChoice_ != 0) answer = menuId == kKindMenu ? menuChoice_ : 0;
  else if (person_ != nullptr) answer = person_->ChooseFromMenu(menuId, x, y);
  chosenKind_ = menuId == kKindMenu ? answer & kMenuItemMask : 0;
  return answer;
}

bool LayersDialogSession::AnswerOptionsDialog(std::string& custom1, std::string& custom2) {
  if (!pairAnswer_) return person_ != nullptr && person_->AnswerOptionsDialog(custom1, custom2);
  custom1 = pairAnswer_->first;
  custom2 = pairAnswer_->second;
  pairAnswer_.reset();
  return true;
}

}  // namespace zurender
