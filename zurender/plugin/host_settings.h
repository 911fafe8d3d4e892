// The plug-in's settings as the host hands them to ZUShaderInitialize: the parameter block, whose
// third word is the address of the stored layer list, which the host keeps in a block as large as
// the plug-in may read from a list's start.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "hostsim/records.h"
#include "zurender/settings/settings_file.h"

namespace zurender {

class HostSettings {
 public:
  // False, with error set, when the stored list is larger than the host keeps.
  bool Set(const PluginSettings& settings, std::string& error);
  // Valid while this object lives and until the next Set.
  const hostsim::ParamBytes& params() const { return params_; }

 private:
  std::unique_ptr<std::uint8_t[]> block_;
  hostsim::ParamBytes params_{};
};

// Why the plug-in made no instance from settings it took without an error.
std::string NoInstanceReason(const PluginSettings& settings);

}  // namespace zurender
