// Loads the built plug-in library and finds its seven entry points, as the host does.
#pragma once

#include <cstdint>
#include <string>

#include "host/abi.h"
#include "host/entry_points.h"
#include "host/fill_layers_record.h"
#include "host/host_info_record.h"
#include "host/init_layers_record.h"
#include "host/interface_record.h"
#include "host/shader_info_record.h"
#include "host/shader_record.h"

namespace hostsim {

struct PluginEntryPoints {
  ShaderInformationFn information = nullptr;
  ShaderHostInfoFn hostInfo = nullptr;
  ShaderInitializeFn initialize = nullptr;
  ShaderInitLayersFn initLayers = nullptr;
  ShaderFillLayersFn fillLayers = nullptr;
  ShaderFinishFn finish = nullptr;
  ShaderInterfaceSetupFn interfaceSetup = nullptr;
};

class PluginLibrary {
 public:
  PluginLibrary() = default;
  ~PluginLibrary() { Unload(); }
  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;

  // Loads the library and resolves all seven entry points; false, with error() set, otherwise.
  bool Load(const std::string& path);
  // Unloads the library, which runs its unload routine; nothing when none is loaded.
  void Unload();
  bool loaded() const { return handle_ != nullptr; }
  const std::string& error() const { return error_; }
  const PluginEntryPoints& entry() const { return entry_; }

  // Whether a library at path is still mapped in the process. On Windows a bare file name
  // matches a loaded module of that name wherever it was loaded from.
  static bool IsMapped(const std::string& path);
  // Whether the running executable exports a function of this name, as the plug-in looks it up.
  static bool ExecutableExports(const char* name);

 private:
  void* handle_ = nullptr;
  PluginEntryPoints entry_;
  std::string error_;
};

}  // namespace hostsim
