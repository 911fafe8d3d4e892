// The plug-in's own Layers dialog, run headless on the host core's toolkit: opened from a settings
// file as the host would open it, edited with the gestures a person makes, and confirmed, at which
// the plug-in hands its list back through HostSetInfo.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "hostsim/dialog_toolkit.h"
#include "hostsim/stored_list_form.h"
#include "hostsim/stored_list_keeper.h"
#include "zurender/plugin/host_settings.h"
#include "zurender/plugin/plugin_host.h"
#include "zurender/settings/settings_file.h"

namespace zurender {

// A row of the dialog's list with the layer behind it.
struct DialogRow {
  std::string name;   // the row's text
  bool on = false;    // its check mark
  hostsim::StoredLayer layer;  // kind, blend mode and options as the plug-in holds them
};

class LayersDialogSession final : private hostsim::DialogUser {
 public:
  // The plug-in must outlive the session.
  explicit LayersDialogSession(PluginHost& plugin);
  ~LayersDialogSession();

  // Initializes the plug-in in the interface role with the settings and opens its Layers dialog,
  // the host-kept items set from them. False, with error set, when the plug-in builds no dialog.
  bool Open(const PluginSettings& settings, std::string& error);

  // The rows as the dialog shows them, top of the stack first.
  const std::vector<DialogRow>& rows() const { return rows_; }
  // The list's base name as the plug-in holds it.
  const std::string& baseName() const { return baseName_; }
  std::int32_t Control(std::int32_t id) const;  // a host-kept control's value
  std::string ControlText(std::int32_t id) const;

  // Who answers the kind menu and the options dialog when the plug-in opens them during a
  // gesture that has no answer of its own (Press, SetValue); without one, nothing is chosen and
  // the options dialog is cancelled. It must outlive its use here.
  void SetPerson(hostsim::DialogUser* person) { person_ = person; }

  // The dialog as the host's toolkit holds it, for drawing; valid while the session lives.
  const hostsim::DialogToolkit& toolkit() const { return *toolkit_; }
  DialogRef dialog() const { return dialog_; }
  bool isOpen() const { return open_; }

  // Gestures; each is false when the dialog does not take it (a control disabled or hidden, a
  // row that is not there). Rows count from 0.
  bool Press(std::int32_t control);
  bool ToggleRowMark(std::int32_t row);
  bool SelectRows(const std::vector<std::int32_t>& rows);
  bool AddLayer(std::int32_t kind, std::optional<std::int32_t> atRow);
  bool RemoveRows(const std::vector<std::int32_t>& rows);
  bool MoveRow(std::int32_t from, std::int32_t to);
  bool SetRowOn(std::int32_t row, bool on);
  bool RenameRow(std::int32_t row, const std::string& name);
  bool SetValue(std::int32_t control, std::int32_t value);
  bool SetText(std::int32_t control, const std::string& text);
  // Sets the custom output pair through the plug-in's options dialog.
  bool SetCustomPair(const std::string& first, const std::string& second);

  // Confirms the dialog: the plug-in saves its list through HostSetInfo. The settings the host
  // keeps afterwards: the words it opened the dialog with, items 5 to 10 as the dialog holds them.
  // False, with error set, when the plug-in handed nothing over.
  bool Confirm(PluginSettings& settings, std::string& error);
  // Cancels the dialog: the plug-in discards its edits. False when it is not open.
  bool Cancel();

 private:
  std::int32_t ChooseFromMenu(std::int32_t menuId, std::int32_t x, std::int32_t y) override;
  bool AnswerOptionsDialog(std::string& custom1, std::string& custom2) override;

  // One dialog from initialize to confirmation; the settings as the host keeps them after it.
  bool OpenDialog(const PluginSettings& settings, std::string& error);
  bool ConfirmDialog(PluginSettings& settings, std::string& error);
  void ReadRows();

  PluginHost& plugin_;
  std::unique_ptr<hostsim::DialogToolkit> toolkit_;
  std::unique_ptr<hostsim::StoredListKeeper> keeper_;
  HostSettings settings_;  // what the plug-in was initialized with
  hostsim::ParamWords openedWords_;
  DialogRef dialog_ = 0;
  bool open_ = false;
  std::vector<hostsim::StoredLayer> layers_;  // the plug-in's records, in row order as opened
  std::vector<DialogRow> rows_;
  std::string baseName_;
  hostsim::DialogUser* person_ = nullptr;
  std::int32_t menuChoice_ = 0;  // the answer AddLayer has for the menu; 0: the person's
  std::int32_t chosenKind_ = 0;  // the item the menu last answered with
  std::optional<std::pair<std::string, std::string>> pairAnswer_;
};

}  // namespace zurender
