// The substitute host application: loads ZU_Layers and runs one short render session through
// its entry points, printing what the plug-in declared and wrote.
#include <cstdio>
#include <string>
#include <vector>

#include "host/colour_value.h"
#include "hostsim/host_allocator.h"
#include "hostsim/plugin_library.h"
#include "hostsim/records.h"

namespace {

struct Session {
  int declarations = 0;
  std::vector<std::string> events;
};
Session gSession;

std::int32_t ZU_ABI Declare(LayerDeclaration*) {
  ++gSession.declarations;
  return 0;
}

std::int32_t ZU_ABI FillService(std::int32_t operation, std::int32_t argument, ColourValue* value) {
  if (operation == 2) *value = ColourValue{1.0f, 0.5f, 0.5f, 0.5f};
  char line[128];
  std::snprintf(line, sizeof line, "%s %d -> (%.3f, %.3f, %.3f, %.3f)", operation == 2 ? "component" : "write",
                argument, value->alpha, value->red, value->green, value->blue);
  gSession.events.push_back(line);
  return 0;
}

void ZU_ABI NoLights(void** light, std::int32_t*, std::int32_t*, float*, std::int32_t*, std::int32_t*,
                     std::int32_t*, float*, float*, float*) {
  *light = nullptr;
}

std::string DefaultPluginPath(const char* argv0) {
  std::string self(argv0);
  const auto slash = self.find_last_of('/');
  return (slash == std::string::npos ? std::string(".") : self.substr(0, slash)) + "/ZU_Layers.so";
}

}  // namespace

int main(int argc, char** argv) {
  const std::string path = argc > 1 ? argv[1] : DefaultPluginPath(argv[0]);
  hostsim::PluginLibrary plugin;
  if (!plugin.Load(path)) {
    std::fprintf(stderr, "zu_host: %s\n", plugin.error().c_str());
    return 1;
  }
  const auto& zu = plugin.entry();

  ShaderInfoRecord info = hostsim::MakeShaderInfoRecord(0);
  zu.information(&info);
  HostInfoRecord host = hostsim::MakeHostInfoRecord(kRenderHostCode);
  zu.hostInfo(&host);
  std::printf("loaded %s, information flags 0x%x\n", path.c_str(), info.flags);

  const hostsim::ParamBytes params = hostsim::EncodeParamBlock({});
  ShaderRecord shader = hostsim::MakeShaderRecord(params);
  const std::int32_t initResult = zu.initialize(&shader);
  std::printf("initialize (rendering role, default list): result %d, instance %s, %zu host blocks live\n",
              initResult, shader.instance ? "kept" : "none", hostsim::LiveBlockCount());

  InitLayersRecord layers = hostsim::MakeInitLayersRecord(shader.instance, &Declare);
  const std::int32_t declareResult = zu.initLayers(&layers);
  std::printf("declare: result %d, %d layers declared\n", declareResult, gSession.declarations);

  unsigned char renderContext[512] = {};
  unsigned char surface[256] = {};
  FillLayersRecord fill = hostsim::MakeFillLayersRecord(shader.instance, &NoLights, renderContext, surface, &FillService);
  const std::int32_t fillResult = zu.fillLayers(&fill);
  std::printf("fill one sample: result %d, %zu host calls\n", fillResult, gSession.events.size());
  for (const std::string& event : gSession.events) std::printf("  %s\n", event.c_str());

  zu.finish(&shader);
  plugin.Unload();
  std::printf("finish and unload: %zu host blocks live, %zu bad releases\n", hostsim::LiveBlockCount(),
              hostsim::BadFreeCount());
  return hostsim::LiveBlockCount() == 0 && hostsim::BadFreeCount() == 0 && initResult == 0 ? 0 : 1;
}
