// Fixture for the dialog's code linked in directly: a Layers dialog of a toolkit this executable
// exports the functions of, set up on a list of the test's own.
#pragma once

#include "dialog/layers_dialog.h"
#include "host/layers_dialog_resource.h"
#include "hostsim/hooks/test_dialog_session.h"
#include "layers/layer_list.h"
#include "support/host_memory_test.h"

class DialogUnitTest : public HostMemoryTest {
 protected:
  void TearDown() override {
    EXPECT_EQ(session_.toolkit.NullTextCount(), 0u) << "a text passed to the host as none";
    zu::ClearLayerList(list_);
    HostMemoryTest::TearDown();
  }

  // Sets up a fresh dialog on the list as it stands.
  void Open() {
    dialog_ = session_.toolkit.MakeLayersDialog();
    const InterfaceRecord record = session_.LayersDialogRecord(dialog_);
    ASSERT_TRUE(zu::SetupLayersDialog(list_, record.dialog, record.resourceValue, record.setInfo));
  }
  hostsim::DialogToolkit& toolkit() { return session_.toolkit; }
  std::vector<hostsim::ListRow>& Rows() { return toolkit().FindControl(dialog_, kLayerList)->rows; }

  hostsim::hooks::TestDialogSession session_;
  zu::LayerList list_ = zu::EmptyLayerList();
  DialogRef dialog_ = 0;
};
