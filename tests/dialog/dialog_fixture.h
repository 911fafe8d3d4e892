// Black-box fixture for the Layers dialog: the built plug-in, driven in the interface role on a
// dialog of a test dialog session (the host's toolkit with a scripted user and a call log).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "blackbox/plugin_fixture.h"
#include "host/layers_dialog_resource.h"
#include "hostsim/hooks/test_dialog_session.h"
#include "hostsim/stored_list_form.h"

class LayersDialogTest : public PluginTest {
 protected:
  void TearDown() override;

  // ZUShaderInitialize in the interface role with these parameters.
  void Initialize(const hostsim::ParamWords& words = {});
  // Initializes, makes a Layers dialog (prepare may set its controls first, as the host's
  // settings would) and runs ZUShaderInterfaceSetup on it. Returns the dialog.
  DialogRef OpenDialog(const hostsim::ParamWords& words = {},
                       const std::function<void(DialogRef)>& prepare = nullptr);
  // Runs setup on a further dialog while the list stays loaded.
  DialogRef SetupAnotherDialog(const std::function<void(DialogRef)>& prepare = nullptr);
  // Dialogs made from now on come from this resource instead of the test resource.
  void UseResource(const hostsim::DialogResource& resource) { resource_ = &resource; }
  // Starts a new dialog session: a fresh toolkit, user, keeper and logs.
  void NewSession() { session_.emplace(); }

  DialogRef dialog() const { return dialog_; }
  hostsim::DialogToolkit& toolkit() const { return session_->toolkit; }
  hostsim::hooks::ToolkitRecorder& calls() const { return session_->recorder; }
  hostsim::hooks::ScriptedUser& user() const { return session_->user; }
  const hostsim::StoredListKeeper& keeper() const { return session_->keeper; }
  const std::vector<hostsim::hooks::SetInfoCall>& SetInfoCalls() const { return session_->setInfo.Calls(); }

  hostsim::SimControl& Control(std::int32_t id) const;
  std::vector<std::string> RowTexts() const;
  std::vector<std::int32_t> RowIds() const;
  std::vector<std::int32_t> RowFlags() const;
  std::vector<std::int32_t> SelectedRows() const;
  // Ids among the option controls that are visible.
  std::vector<std::int32_t> VisibleOptionControls() const;

  // Adds a layer of the kind through the add button and the kind menu.
  void ChooseKind(std::int32_t menuResult);

  // The list the host received at the last confirmation, decoded; none when none was received.
  std::optional<hostsim::StoredList> StoredList() const;

 private:
  mutable std::optional<hostsim::hooks::TestDialogSession> session_{std::in_place};
  DialogRef dialog_ = 0;
  const hostsim::DialogResource* resource_ = nullptr;
};
