// A host whose executable lacks one of the 29 dialog functions (ZU_PopupMenuTrack, which setup
// itself never calls): the plug-in builds no dialog and calls none of the host's functions.
#include "blackbox/plugin_fixture.h"
#include "hostsim/dialog_toolkit.h"

using IncompleteHostTest = PluginTest;

TEST_F(IncompleteHostTest, SetupBuildsNothingWhenADialogFunctionIsMissing) {
  ASSERT_FALSE(hostsim::PluginLibrary::ExecutableExports("ZU_PopupMenuTrack"))
      << "this executable must lack the function";
  ASSERT_TRUE(hostsim::PluginLibrary::ExecutableExports("ZU_SetDialogTitle")) << "and export the others";

  hostsim::ResetDialogToolkit();
  const auto params = hostsim::EncodeParamBlock({});
  ShaderRecord shader = hostsim::MakeShaderRecord(params);
  ASSERT_EQ(zu().initialize(&shader), 0);
  const std::size_t blocks = hostsim::LiveBlockCount();

  const DialogRef dialog = hostsim::MakeLayersDialog();
  InterfaceRecord record = hostsim::LayersDialogRecord(dialog);
  for (int attempt = 0; attempt < 2; ++attempt) {
    EXPECT_EQ(zu().interfaceSetup(&record), 0) << "attempt " << attempt;
    EXPECT_TRUE(hostsim::ToolkitCalls().empty()) << "attempt " << attempt << ": first call "
                                                 << hostsim::ToolkitCalls().front().function;
  }
  EXPECT_EQ(hostsim::DialogTitle(dialog), "");
  for (int id = 1; id <= 28; ++id) EXPECT_EQ(hostsim::FindSimControl(dialog, id)->hit, nullptr) << "control " << id;
  EXPECT_EQ(hostsim::LiveBlockCount(), blocks) << "the list is left as loaded";
  hostsim::ResetDialogToolkit();
}
