// The smoke session: loads ZU_Layers and runs short render sessions through its entry points on
// the host core and its test hooks, printing every layer the plug-in declared and every host call
// of its samples.
#include <cstdio>
#include <string>
#include <vector>

#include "host/colour_value.h"
#include "host/render_context.h"
#include "host/surface_record.h"
#include "hostsim/declare_service.h"
#include "hostsim/fill_service.h"
#include "hostsim/hooks/test_allocator.h"
#include "hostsim/hooks/test_render_host.h"
#include "hostsim/plugin_library.h"
#include "hostsim/records.h"
#include "hostsim/stored_list_form.h"

namespace {

void PrintDeclarations(const hostsim::hooks::TestRenderHost& host) {
  const auto& declarations = host.Declarations();
  for (std::size_t i = 0; i < declarations.size(); ++i) {
    const LayerDeclaration& d = declarations[i];
    std::printf("  layer \"%s\" blend '%s' class %d/%d component %d flags 0x%x -> id %d\n",
                hostsim::DeclaredName(d).c_str(), hostsim::FourCCText(d.blendKey).c_str(), d.layerClass,
                d.classParam, d.component, d.declFlags, host.DeclaredId(i));
  }
}

void PrintFillCalls(const hostsim::hooks::TestRenderHost& host) {
  for (const hostsim::hooks::FillCall& call : host.FillCalls())
    std::printf("  %s %d -> (%.3f, %.3f, %.3f, %.3f) result %d\n",
                call.operation == kGetComponent ? "component" : "write", call.argument,
                call.value.alpha, call.value.red, call.value.green, call.value.blue, call.result);
}

// One render: initialize, declare, two samples at the same pixel (the second is served from the
// plug-in's component cache), finish. True when all went well.
bool RenderSession(const hostsim::PluginEntryPoints& zu, const hostsim::hooks::TestAllocator& memory,
                   const char* title, const hostsim::ParamWords& words) {
  std::printf("%s\n", title);
  hostsim::hooks::TestRenderHost host;
  // A key light casting shadows and a fill light that does not.
  host.SetSceneLights({{{1.0f, 0.9f, 0.8f}, 0.8f, 1, {0.5f, 0.45f, 0.4f}},
                       {{0.2f, 0.2f, 0.3f}, 0.5f, 0, {0.0f, 0.0f, 0.0f}}});
  const hostsim::ParamBytes params = hostsim::EncodeParamBlock(words);
  ShaderRecord shader = hostsim::MakeShaderRecord(memory.functions(), params);
  const std::int32_t initResult = zu.initialize(&shader);
  std::printf(" initialize: result %d, instance %s, %zu host blocks live\n", initResult,
              shader.instance ? "kept" : "none", memory.LiveBlockCount());

  InitLayersRecord layers = hostsim::MakeInitLayersRecord(shader.instance, host.declare());
  const std::int32_t declareResult = zu.initLayers(&layers);
  std::printf(" declare: result %d, %zu layers\n", declareResult, host.Declarations().size());
  PrintDeclarations(host);

  // Each component's red channel tells it apart in the values written.
  for (std::int32_t component = 1; component <= 8; ++component)
    host.SetComponent(component, ColourValue{1.0f, 0.1f * float(component), 0.5f, 0.25f});
  // Each session on a row of its own: the plug-in's cache outlives a render and is keyed by pixel.
  static std::int32_t row = 0;
  RenderContext sample{};
  sample.pixelY = row++;
  sample.transparencyFirst = 0.75f;
  sample.transparencySecond = 0.5f;
  SurfaceRecord surface{};
  surface.lightExponent = 1.0f;
  bool ok = initResult == 0 && declareResult == 0;
  for (int round = 0; round < 2; ++round) {
    host.ClearFillLog();
    const std::uint32_t walks = host.NextLightCallCount();
    FillLayersRecord fill = hostsim::MakeFillLayersRecord(shader.instance, host.nextLight(), &sample, &surface,
                                                          host.fillService());
    const std::int32_t fillResult = zu.fillLayers(&fill);
    std::printf(" sample at pixel (0, %d): result %d, %zu fill service calls, %u light iterator calls\n",
                sample.pixelY, fillResult, host.FillCalls().size(), host.NextLightCallCount() - walks);
    PrintFillCalls(host);
    ok = ok && fillResult == 0;
  }
  zu.finish(&shader);
  return ok;
}

std::string DefaultPluginPath(const char* argv0) {
  std::string self(argv0);
  const auto slash = self.find_last_of('/');
  return (slash == std::string::npos ? std::string(".") : self.substr(0, slash)) + "/ZU_Layers.so";
}

}  // namespace

int main(int argc, char** argv) {
  const std::string path = argc > 1 ? argv[1] : DefaultPluginPath(argv[0]);
  hostsim::hooks::TestAllocator memory;  // outlives the library, which releases through it at unload
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

  bool ok = RenderSession(zu, memory, "render with the default list:", {});

  // A stored list with the light sums at work; the plug-in falls back to the default list when
  // it cannot read the block.
  const std::vector<std::uint8_t> block =
      hostsim::StoredListBuilder()
          .Bytes(hostsim::EncodeStoredList("Shot1 ", {{1, 0x2, 0, 0, 0, 0, "Diffuse Pack"},
                                                     {2, 0x2, 8, 0, 0, 0, "Lights"},
                                                     {3, 0x2, 8, 1, 0, 0, "Shadows"},
                                                     {15, 0x0, 0, 0, 0, 0, "Transparency"}}))
          .InHostBlock();
  hostsim::ParamWords words;
  words.storedList = hostsim::HostAddress(block.data());
  words.nameMode = 1;
  words.edgeMask = 1;
  ok = RenderSession(zu, memory, "render with a stored list, base name first and the edge mask:", words) && ok;

  plugin.Unload();
  std::printf("finish and unload: %zu host blocks live, %zu bad releases\n", memory.LiveBlockCount(),
              memory.BadFreeCount());
  return memory.LiveBlockCount() == 0 && memory.BadFreeCount() == 0 && ok ? 0 : 1;
}
