#include "bench/fill_scenarios.h"

#include <cstring>
#include <utility>
#include <vector>

#include "host/host_info_record.h"
#include "host/init_layers_record.h"
#include "hostsim/declare_service.h"
#include "hostsim/fill_service.h"
#include "hostsim/hooks/test_allocator.h"
#include "hostsim/hooks/test_render_host.h"
#include "hostsim/stored_list_form.h"
#include "layers/layer_kind_table.h"
#include "layers/layer_list.h"
#include "layers/render_resolution.h"
#include "plugin/shader_instance.h"

// The plug-in's entry points, linked in from its objects.
extern "C" {
std::int32_t ZU_ABI ZUShaderHostInfo(HostInfoRecord* record) noexcept;
std::int32_t ZU_ABI ZUShaderInitialize(ShaderRecord* record) noexcept;
std::int32_t ZU_ABI ZUShaderInitLayers(InitLayersRecord* record) noexcept;
std::int32_t ZU_ABI ZUShaderFillLayers(FillLayersRecord* record) noexcept;
std::int32_t ZU_ABI ZUShaderFinish(ShaderRecord* record) noexcept;
}

namespace {

constexpr std::size_t kLogLimit = 2048;  // the host's log is emptied past this, never reallocated

std::vector<std::uint8_t> gStoredBlock = hostsim::StoredListBuilder().InHostBlock();

// The host both the plug-in and the floor call, and its allocator. Never destroyed: the scenarios'
// instances are finished at exit, after static objects may be gone.
hostsim::hooks::TestAllocator& Memory() {
  static auto* memory = new hostsim::hooks::TestAllocator;
  return *memory;
}
hostsim::hooks::TestRenderHost& Host() {
  static auto* host = new hostsim::hooks::TestRenderHost;
  return *host;
}

void StartSample(Scenario& s) {
  ++s.sample.pixelX;  // every sample a new pixel: nothing comes from the plug-in's cache
  if (Host().FillCalls().size() > kLogLimit) Host().ClearFillLog();
}

inline void Fetch(std::int32_t component) {
  ColourValue value;
  Host().fillService()(hostsim::kGetComponentOperation, component, &value);
}

inline void Write(std::int32_t id) {
  ColourValue value{1.0f, 0.5f, 0.5f, 0.5f};
  Host().fillService()(hostsim::kWriteLayerOperation, id, &value);
}

void WalkLights() {
  void* light = nullptr;
  std::int32_t shadowFlag, third, fifth, sixth, seventh;
  float factor, red, green, blue;
  do {
    Host().nextLight()(&light, &shadowFlag, &third, &factor, &fifth, &sixth, &seventh, &red, &green, &blue);
  } while (light != nullptr);
}

// Default list: one "Diffuse Pack" lit by the host's shadowed light, with ambient and all additives.
void DefaultFloor(Scenario& s) {
  for (std::int32_t component : {1, 2, 5, 4, 3, 6, 8}) Fetch(component);
  Write(s.ids[0]);
}

// Every kind: "Diffuse Pack" (diffuse only), "Lights" and "Shadows" from the light sums with the
// clamp, "Ambient/GI", "RT Reflections" and "Transparency"; the rest is the host's.
void EveryKindFloor(Scenario& s) {
  Fetch(1);
  Write(s.ids[0]);
  WalkLights();
  Write(s.ids[1]);
  Write(s.ids[2]);
  Fetch(5);
  Write(s.ids[3]);
  Fetch(7);
  Fetch(6);
  Write(s.ids[4]);
  Write(s.ids[5]);
}

std::int32_t IdOf(const char* name) {
  const auto& declared = Host().Declarations();
  for (std::size_t i = 0; i < declared.size(); ++i)
    if (hostsim::DeclaredName(declared[i]) == name) return Host().DeclaredId(i);
  return 0;
}

bool Start(Scenario& s, const hostsim::ParamWords& words) {
  Host().ResetDeclarations();
  Host().ResetFillService();
  for (std::int32_t c = 1; c <= 8; ++c) Host().SetComponent(c, ColourValue{1.0f, 0.4f, 0.5f, 0.6f});
  // A key light with shadows and a fill light without.
  Host().SetSceneLights({{{1.0f, 0.9f, 0.8f}, 0.8f, 1, {0.5f, 0.45f, 0.4f}},
                           {{0.2f, 0.2f, 0.3f}, 0.5f, 0, {0.0f, 0.0f, 0.0f}}});
  HostInfoRecord host = hostsim::MakeHostInfoRecord(kRenderHostCode);
  ZUShaderHostInfo(&host);
  s.params = hostsim::EncodeParamBlock(words);
  s.shader = hostsim::MakeShaderRecord(Memory().functions(), s.params);
  if (ZUShaderInitialize(&s.shader) != 0 || s.shader.instance == nullptr) return false;
  InitLayersRecord layers = hostsim::MakeInitLayersRecord(s.shader.instance, Host().declare());
  if (ZUShaderInitLayers(&layers) != 0) return false;
  s.surface.lightExponent = 1.0f;
  s.sample.transparencyFirst = 0.5f;
  s.sample.transparencySecond = 0.25f;
  s.fill = hostsim::MakeFillLayersRecord(s.shader.instance, Host().nextLight(), &s.sample, &s.surface,
                                         Host().fillService());
  return true;
}

}  // namespace

Scenario MakeDefaultScenario() {
  Scenario s;
  if (!Start(s, {})) return s;
  s.ids[0] = IdOf("Diffuse Pack");
  s.floor = &DefaultFloor;
  s.name = "default";
  s.how = "default list";
  return s;
}

Scenario MakeEveryKindScenario() {
  std::vector<hostsim::StoredLayer> layers;
  for (std::int32_t kind = 1; kind <= KindCount(); ++kind) {
    const LayerKindRow& row = KindRow(kind - 1);
    const std::int32_t option1 = kind == kShadows || kind == kAmbientGI ? 1 : kind == kMaskOf ? 32 : 0;
    layers.push_back({kind, row.flags & ~std::uint32_t{LayerOff}, row.blendMode, option1, 0, 0, row.name});
  }
  const auto bytes = hostsim::EncodeStoredList("", layers);
  std::memcpy(gStoredBlock.data(), bytes.data(), bytes.size());
  hostsim::ParamWords words;
  words.storedList = hostsim::HostAddress(gStoredBlock.data());
  words.edgeMask = 1;

  Scenario s;
  if (!Start(s, words)) return s;
  // "Edge Mask" and the fourteen layers left once the empty "Additives Pack" is dropped.
  constexpr std::size_t kDeclared = 15;
  s.how = "stored list";
  if (Host().Declarations().size() != kDeclared) return s;
  const char* written[] = {"Diffuse Pack", "Lights", "Shadows", "Ambient/GI", "RT Reflections", "Transparency"};
  for (std::size_t i = 0; i < 6; ++i) s.ids[i] = IdOf(written[i]);
  s.floor = &EveryKindFloor;
  s.name = "every_kind";
  return s;
}

void FinishScenario(Scenario& s) {
  if (s.shader.instance != nullptr) ZUShaderFinish(&s.shader);
}

std::int32_t PluginSample(Scenario& s) {
  StartSample(s);
  return ZUShaderFillLayers(&s.fill);
}

void FloorSample(Scenario& s) {
  StartSample(s);
  s.floor(s);
}

SampleCheck CheckScenario(Scenario& s) {
  auto trace = [&](auto&& run, double& calls) {
    Host().ClearFillLog();
    const std::uint32_t before = Host().FillCallCount() + Host().NextLightCallCount();
    run();
    calls = Host().FillCallCount() + Host().NextLightCallCount() - before;
    std::vector<std::pair<std::int32_t, std::int32_t>> order;
    for (const hostsim::hooks::FillCall& call : Host().FillCalls()) order.emplace_back(call.operation, call.argument);
    return order;
  };
  SampleCheck check{};
  const auto plugin = trace([&] { PluginSample(s); }, check.pluginCalls);
  const auto floor = trace([&] { FloorSample(s); }, check.floorCalls);
  check.sameCalls = plugin == floor && check.pluginCalls == check.floorCalls;
  return check;
}
