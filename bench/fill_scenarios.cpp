#include "bench/fill_scenarios.h"

#include <initializer_list>

#include "bench/bench_host.h"
#include "host/fill_service.h"
#include "host/host_info_record.h"
#include "host/init_layers_record.h"
#include "hostsim/declare_service.h"
#include "hostsim/hooks/declare_probe.h"
#include "hostsim/hooks/sequential_layer_ids.h"
#include "hostsim/stored_list_form.h"
#include "layers/layer_record.h"

// The stored lists name their layers' kinds by the plug-in's numbers.
using namespace zu;

namespace {

void Fetch(Scenario& s, std::int32_t component) {
  ColourValue value;
  s.fill.fillService(kGetComponent, component, &value);
}

void Write(Scenario& s, std::int32_t layer) {
  ColourValue value{1.0f, 0.5f, 0.5f, 0.5f};
  s.fill.fillService(kWriteLayer, s.ids[layer], &value);
}

void WalkLights(Scenario& s) {
  void* light = nullptr;
  std::int32_t shadowFlag, third, fifth, sixth, seventh;
  float factor, red, green, blue;
  do {
    s.fill.nextLight(&light, &shadowFlag, &third, &factor, &fifth, &sixth, &seventh, &red, &green, &blue);
  } while (light != nullptr);
}

// The default list: one "Diffuse Pack" lit by the host's shadowed light, with ambient and all
// four additives.
void DefaultFloor(Scenario& s) {
  for (std::int32_t component : {kComponentDiffuse, kComponentShadowedLight, kComponentAmbient, kComponentSpecular,
                                 kComponentLuminance, kComponentReflections, kComponentRefractions})
    Fetch(s, component);
  Write(s, 0);
}

// "Diffuse Pack", "Lights", "Specular": the pack carries the other additives unlit, and "Lights"
// is the host's shadowed light.
void EverydayFloor(Scenario& s) {
  for (std::int32_t component : {kComponentDiffuse, kComponentLuminance, kComponentReflections, kComponentRefractions})
    Fetch(s, component);
  Write(s, 0);
  Fetch(s, kComponentShadowedLight);
  Write(s, 1);
}

// Every kind: "Diffuse Pack" (diffuse only), "Lights" and "Shadows" from the light sums with the
// clamp, "Ambient/GI", "RT Reflections" and "Transparency"; the rest is the host's.
void EveryKindFloor(Scenario& s) {
  Fetch(s, kComponentDiffuse);
  Write(s, 0);
  WalkLights(s);
  Write(s, 1);
  Write(s, 2);
  Fetch(s, kComponentAmbient);
  Write(s, 3);
  Fetch(s, kComponentBitmapReflections);
  Fetch(s, kComponentReflections);
  Write(s, 4);
  Write(s, 5);
}

// "Lights", "Shadows" with the clamp and "Ambient/GI", under eight lights: one walk, the clamp's
// diffuse colour, and ambient for its layer.
void EightLightsFloor(Scenario& s) {
  WalkLights(s);
  Fetch(s, kComponentDiffuse);
  Write(s, 0);
  Write(s, 1);
  Fetch(s, kComponentAmbient);
  Write(s, 2);
}

struct Layer {
  std::int32_t kind;
  std::int32_t option1;
  const char* name;
};

std::vector<std::uint8_t> StoredList(std::initializer_list<Layer> layers, std::uint32_t extraFlags = 0) {
  hostsim::StoredListBuilder list;
  list.Header("", static_cast<std::uint32_t>(layers.size()));
  for (const Layer& layer : layers) list.Entry(layer.kind, extraFlags, 0, layer.option1, 0, 0, layer.name);
  return list.InHostBlock();
}

std::int32_t IdOf(const hostsim::hooks::DeclareProbe& declared, const char* name) {
  for (std::size_t i = 0; i < declared.Declarations().size(); ++i)
    if (hostsim::DeclaredName(declared.Declarations()[i]) == name) return declared.DeclaredId(i);
  return 0;
}

void SetUpHost(std::int32_t lightCount) {
  bench::gHost = bench::HostState{};
  for (std::int32_t c = 1; c < bench::kComponentCount; ++c) bench::gHost.components[c] = {1.0f, 0.4f, 0.5f, 0.6f};
  // A key light with shadows, then fill lights without, each a little weaker.
  bench::gHost.lightCount = lightCount;
  for (std::int32_t i = 0; i < lightCount; ++i) {
    bench::Light& light = bench::gHost.lights[i];
    const float weight = 1.0f / float(i + 1);
    light.record.colour[0] = 0.9f * weight;
    light.record.colour[1] = 0.8f * weight;
    light.record.colour[2] = 0.7f * weight;
    light.factor = 0.8f * weight;
    light.shadowFlag = i % 2 == 0 ? 1 : 0;
    light.shadow[0] = light.shadow[1] = light.shadow[2] = 0.4f * weight;
  }
}

bool SetUp(Scenario& s, const hostsim::PluginEntryPoints& zu, hostsim::AllocatorPair memory, std::int32_t edgeMask,
           std::initializer_list<const char*> written) {
  EnterScenario(s);
  HostInfoRecord host = hostsim::MakeHostInfoRecord(kRenderHostCode);
  zu.hostInfo(&host);
  hostsim::ParamWords words;
  if (!s.storedList.empty()) words.storedList = hostsim::HostAddress(s.storedList.data());
  words.edgeMask = edgeMask;
  s.params = hostsim::EncodeParamBlock(words);
  s.shader = hostsim::MakeShaderRecord(memory, s.params);
  s.fillLayers = zu.fillLayers;
  s.finish = zu.finish;
  if (zu.initialize(&s.shader) != 0 || s.shader.instance == nullptr) return false;
  // Declaring is done once, before any sample: the host takes every layer and the probe keeps
  // the ids, so that the floor writes where the plug-in does.
  hostsim::hooks::SequentialLayerIds ids;
  hostsim::DeclareService declare(ids);
  hostsim::hooks::DeclareProbe declared(declare.function());
  InitLayersRecord layers = hostsim::MakeInitLayersRecord(s.shader.instance, declared.function());
  if (zu.initLayers(&layers) != 0) return false;
  std::size_t i = 0;
  for (const char* name : written)
    if ((s.ids[i++] = IdOf(declared, name)) == 0) return false;
  s.surface.lightExponent = 1.0f;
  s.sample.transparencyFirst = 0.5f;
  s.sample.transparencySecond = 0.25f;
  s.fill = hostsim::MakeFillLayersRecord(s.shader.instance, &bench::NextLight, &s.sample, &s.surface,
                                         &bench::FillService);
  return true;
}

// The host calls that run() makes, through the tracing services.
template <typename Run>
bench::CallLog Trace(Scenario& s, Run&& run) {
  s.fill.fillService = &bench::TracingFillService;
  s.fill.nextLight = &bench::TracingNextLight;
  bench::TracedCalls().clear();
  run();
  s.fill.fillService = &bench::FillService;
  s.fill.nextLight = &bench::NextLight;
  return bench::TracedCalls();
}

// Whether the floor makes the plug-in's host calls, in the same order, with the same arguments.
bool FloorMatches(Scenario& s) {
  EnterScenario(s);
  const bench::CallLog plugin = Trace(s, [&] { PluginSample(s); });
  const bench::CallLog floor = Trace(s, [&] { FloorSample(s); });
  return !plugin.empty() && plugin == floor;
}

}  // namespace

std::vector<std::unique_ptr<Scenario>> MakeScenarios(const hostsim::PluginEntryPoints& zu,
                                                     hostsim::AllocatorPair memory) {
  std::vector<std::unique_ptr<Scenario>> all;
  auto make = [&](const char* name, const char* what, std::int32_t lights, void (*floor)(Scenario&)) -> Scenario& {
    all.push_back(std::make_unique<Scenario>());
    Scenario& s = *all.back();
    s.name = name;
    s.what = what;
    s.lightCount = lights;
    s.floor = floor;
    // The plug-in's component cache is keyed by the pixel alone: a row of its own keeps one
    // scenario's samples from finding another's components.
    s.sample.pixelY = static_cast<std::int32_t>(all.size());
    return s;
  };

  Scenario& byDefault = make("default", "the default list", 2, &DefaultFloor);
  byDefault.ready = SetUp(byDefault, zu, memory, 0, {"Diffuse Pack"});

  Scenario& everyday = make("everyday", "Diffuse Pack, Lights, Specular", 2, &EverydayFloor);
  everyday.storedList =
      StoredList({{kDiffusePack, 0, "Diffuse Pack"}, {kLights, 0, "Lights"}, {kSpecular, 0, "Specular"}});
  everyday.ready = SetUp(everyday, zu, memory, 0, {"Diffuse Pack", "Lights"});

  // "Additives Pack" finds every additive taken by its own layer, so it is dropped.
  Scenario& everyKind = make("every_kind", "all fifteen kinds and the edge mask", 2, &EveryKindFloor);
  everyKind.storedList = StoredList({{kDiffusePack, 0, "Diffuse Pack"},
                                     {kLights, 0, "Lights"},
                                     {kShadows, 1, "Shadows"},
                                     {kAmbientGI, 1, "Ambient/GI"},
                                     {kAdditivesPack, 0, "Additives Pack"},
                                     {kSpecular, 0, "Specular"},
                                     {kLuminance, 0, "Luminance"},
                                     {kReflections, 0, "Reflections"},
                                     {kRtReflections, 0, "RT Reflections"},
                                     {kBitmapReflections, 0, "Bitmap Reflections"},
                                     {kRtRefractions, 0, "RT Refractions"},
                                     {kFinalRender, 0, "Final Render"},
                                     {kFog, 0, "Fog"},
                                     {kMaskOf, 32, "Mask of #"},
                                     {kTransparency, 0, "Transparency"}});
  everyKind.ready = SetUp(everyKind, zu, memory, 1,
                          {"Diffuse Pack", "Lights", "Shadows", "Ambient/GI", "RT Reflections", "Transparency"});

  Scenario& eightLights = make("eight_lights", "Lights, Shadows, Ambient/GI under eight lights", bench::kMaxLights,
                               &EightLightsFloor);
  eightLights.storedList = StoredList({{kLights, 0, "Lights"}, {kShadows, 1, "Shadows"}, {kAmbientGI, 1, "Ambient/GI"}});
  eightLights.ready = SetUp(eightLights, zu, memory, 0, {"Lights", "Shadows", "Ambient/GI"});

  for (auto& s : all) {
    if (!s->ready) s->what = "could not be set up";
    else if (!FloorMatches(*s)) s->ready = false, s->what = "the floor does not make the plug-in's host calls";
  }
  return all;
}

void EnterScenario(const Scenario& s) { SetUpHost(s.lightCount); }

void FinishScenario(Scenario& s) {
  if (s.shader.instance != nullptr) s.finish(&s.shader);
  s.shader.instance = nullptr;
}

std::int32_t PluginSample(Scenario& s) {
  ++s.sample.pixelX;
  return s.fillLayers(&s.fill);
}

void FloorSample(Scenario& s) {
  ++s.sample.pixelX;
  s.floor(s);
}

std::size_t HostCallsPerSample(Scenario& s) {
  EnterScenario(s);
  return Trace(s, [&] { PluginSample(s); }).size();
}
