// Fixture that loads a fresh copy of the built plug-in for each test, as the host does, and
// checks after unloading that it is gone from the process and left no host block live.
#pragma once

#include <gtest/gtest.h>

#include "hostsim/hooks/test_allocator.h"
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

  // A shader record with the test allocator's pair.
  ShaderRecord Shader(const hostsim::ParamBytes& params) const {
    return hostsim::MakeShaderRecord(memory.functions(), params);
  }
  ShaderRecord Shader(const std::uint8_t* data, std::uint32_t size) const {
    return hostsim::MakeShaderRecord(memory.functions(), data, size);
  }

  static const char* PluginPath();

  // Declared before the library, so that it outlives it: the plug-in releases its dialog list
  // through the pair it last recorded when it is unloaded.
  hostsim::hooks::TestAllocator memory;

 private:
  hostsim::PluginLibrary plugin_;
};
