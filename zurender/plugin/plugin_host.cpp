#include "zurender/plugin/plugin_host.h"

#include "hostsim/records.h"
#include "zurender/plugin/executable_path.h"

namespace zurender {

bool PluginHost::Load(const std::string& path, std::string& error) {
  if (!library_.Load(path)) {
    error = library_.error();
    return false;
  }
  path_ = path;
  ShaderInfoRecord info = hostsim::MakeShaderInfoRecord(0);
  library_.entry().information(&info);
  return true;
}

void PluginHost::Become(std::uint32_t hostCode) {
  HostInfoRecord host = hostsim::MakeHostInfoRecord(hostCode);
  library_.entry().hostInfo(&host);
}

std::string DefaultPluginPath() { return ExecutableDirectory() + "/" + PluginFileName(); }

}  // namespace zurender
