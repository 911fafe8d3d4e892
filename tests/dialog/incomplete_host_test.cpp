// A host whose executable lacks one of the 29 dialog functions (ZU_PopupMenuTrack, which setup
// itself never calls): the plug-in builds no dialog and calls none of the host's functions.
#include "blackbox/plugin_fixture.h"
#include "host/layers_dialog_resource.h"
#include "hostsim/hooks/test_dialog_session.h"

using IncompleteHostTest = PluginTest;

TEST_F(IncompleteHostTest, SetupBuildsNothingWhenADialogFunctionIsMissing) {
  ASSERT_FALSE(hostsim::PluginLibrary::ExecutableExports("ZU_PopupMenuTrack"))
      << "this executable must lack the function";
  ASSERT_TRUE(hostsim::PluginLibrary::ExecutableExports("ZU_SetDialogTitle")) << "and export the others";

  hostsim::hooks::TestDialogSession session;
  const auto params = hostsim::EncodeParamBlock({});
  ShaderRecord shader = Shader(params);
  ASSERT_EQ(zu().initialize(&shader), 0);
  const std::size_t blocks = memory.LiveBlockCount();

  const DialogRef dialog = session.toolkit.MakeLayersDialog();
  InterfaceRecord record = session.LayersDialogRecord(dialog);
  const auto& calls = session.recorder.Calls();
  for (int attempt = 0; attempt < 2; ++attempt) {
    EXPECT_EQ(zu().interfaceSetup(&record), 0) << "attempt " << attempt;
    EXPECT_TRUE(calls.empty()) << "attempt " << attempt << ": first call " << calls.front().function;
  }
  EXPECT_EQ(session.toolkit.DialogTitle(dialog), "");
  for (std::int32_t id = 1; id <= kLastControl; ++id)
    EXPECT_EQ(session.toolkit.FindControl(dialog, id)->hit, nullptr) << "control " << id;
  EXPECT_EQ(memory.LiveBlockCount(), blocks) << "the list is left as loaded";
}
