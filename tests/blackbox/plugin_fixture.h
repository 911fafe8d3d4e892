// Fixture that loads a fresh copy of the built plug-in for each test, as the host does, and
// checks after unloading that it is gone from the process and left no host block live.
#pragma once

#include <gtest/gtest.h>

#include "hostsim/host_allocator.h"
#include "hostsim/plugin_library.h"
#include "hostsim/records.h"

class PluginTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  const hostsim::PluginEntryPoints& zu() const { return plugin_.entry(); }
  void Unload() { plugin_.Unload(); }

  // ZUShaderHostInfo with the rendering host's code.
  void BecomeRenderingHost();

  static const char* PluginPath();

 private:
  hostsim::PluginLibrary plugin_;
};
