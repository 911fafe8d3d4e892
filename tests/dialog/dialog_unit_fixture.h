// Fixture for the dialog's code linked in directly: a Layers dialog of the toolkit this
// executable exports, set up on a list of the test's own.
#pragma once

#include "dialog/layers_dialog.h"
#include "hostsim/dialog_toolkit.h"
#include "layers/layer_list.h"
#include "support/host_memory_test.h"

class DialogUnitTest : public HostMemoryTest {
 protected:
  void SetUp() override {
    HostMemoryTest::SetUp();
    hostsim::ResetDialogToolkit();
  }
  void TearDown() override {
    EXPECT_EQ(hostsim::NullTextCount(), 0u) << "a text passed to the host as none";
    ClearLayerList(list_);
    hostsim::ResetDialogToolkit();
    HostMemoryTest::TearDown();
  }

  // Sets up a fresh dialog on the list as it stands.
  void Open() {
    dialog_ = hostsim::MakeLayersDialog();
    const InterfaceRecord record = hostsim::LayersDialogRecord(dialog_);
    ASSERT_TRUE(SetupLayersDialog(list_, record.dialog, record.resourceValue, record.setInfo));
  }
  std::vector<hostsim::ListRow>& Rows() { return hostsim::FindSimControl(dialog_, 11)->rows; }

  LayerList list_ = EmptyLayerList();
  DialogRef dialog_ = 0;
};
