// The plug-in library loaded into this process, and the host's allocator it is given. A render
// and a Layers dialog session both drive the one library through it.
#pragma once

#include <cstdint>
#include <string>

#include "hostsim/host_allocator.h"
#include "hostsim/plugin_library.h"

namespace zurender {

// The host code of the interface role: any code but the rendering host's.
constexpr std::uint32_t kInterfaceHostCode = FourCC("ZUAI");

class PluginHost {
 public:
  // Loads the library and tells it what it may do (ZUShaderInformation); false with error set.
  bool Load(const std::string& path, std::string& error);
  // ZUShaderHostInfo: which host, and so which role, the plug-in plays from now on.
  void Become(std::uint32_t hostCode);

  const hostsim::PluginEntryPoints& entry() const { return library_.entry(); }
  hostsim::AllocatorPair allocator() const { return allocator_.functions(); }
  const std::string& path() const { return path_; }

 private:
  // Declared first so that it goes last: the plug-in releases through it until it is unloaded.
  hostsim::HostAllocator allocator_;
  hostsim::PluginLibrary library_;
  std::string path_;
};

// Where the plug-in is by default: beside this program.
std::string DefaultPluginPath();

}  // namespace zurender
