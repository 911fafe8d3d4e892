#include "blackbox/plugin_fixture.h"

const char* PluginTest::PluginPath() { return ZU_PLUGIN_PATH; }

void PluginTest::SetUp() {
  ASSERT_FALSE(hostsim::PluginLibrary::IsMapped(PluginPath())) << "a previous test left the plug-in loaded";
  ASSERT_TRUE(plugin_.Load(PluginPath())) << plugin_.error();
  // Else the check after unloading could not fail.
  ASSERT_TRUE(hostsim::PluginLibrary::IsMapped(PluginPath())) << "the loaded plug-in is not found by its path";
}

void PluginTest::TearDown() {
  plugin_.Unload();
  EXPECT_FALSE(hostsim::PluginLibrary::IsMapped(PluginPath())) << "the plug-in cannot be unloaded";
  EXPECT_EQ(memory.LiveBlockCount(), 0u) << "host blocks left live after unload";
  EXPECT_EQ(memory.BadFreeCount(), 0u) << "releases of blocks the host did not hand out";
}

void PluginTest::BecomeRenderingHost() {
  HostInfoRecord host = hostsim::MakeHostInfoRecord(kRenderHostCode);
  ASSERT_EQ(zu().hostInfo(&host), 0);
}
