// Black-box fixture for the Layers dialog: the built plug-in, driven in the interface role on a
// dialog of the substitute host's toolkit.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "blackbox/plugin_fixture.h"
#include "hostsim/dialog_toolkit.h"
#include "hostsim/host_set_info.h"
#include "hostsim/stored_list_form.h"

class LayersDialogTest : public PluginTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // ZUShaderInitialize in the interface role with these parameters.
  void Initialize(const hostsim::ParamWords& words = {});
  // Initializes, makes a Layers dialog (prepare may set its controls first, as the host's
  // settings would) and runs ZUShaderInterfaceSetup on it. Returns the dialog.
  DialogRef OpenDialog(const hostsim::ParamWords& words = {},
                       const std::function<void(DialogRef)>& prepare = nullptr);
  // Runs setup on a further dialog while the list stays loaded.
  DialogRef SetupAnotherDialog(const std::function<void(DialogRef)>& prepare = nullptr);

  DialogRef dialog() const { return dialog_; }
  hostsim::SimControl& Control(std::int32_t id) const;
  std::vector<std::string> RowTexts() const;
  std::vector<std::int32_t> RowIds() const;
  std::vector<std::int32_t> RowFlags() const;
  std::vector<std::int32_t> SelectedRows() const;
  // Ids among the option controls 15 to 25 that are visible.
  std::vector<std::int32_t> VisibleOptionControls() const;

  // Adds a layer of the kind through the add button and the kind menu.
  void ChooseKind(std::int32_t menuResult);

  // The list the host received at the last confirmation, decoded; none when none was received.
  std::optional<hostsim::StoredList> StoredList() const;

 private:
  DialogRef dialog_ = 0;
};
