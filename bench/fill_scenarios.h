// The two render set-ups the fill benchmark measures, each with its sample through the
// plug-in's entry point and the floor: the same host calls made alone, in the same order.
#pragma once

#include <cstdint>
#include <string>

#include "host/fill_layers_record.h"
#include "host/render_context.h"
#include "host/shader_record.h"
#include "host/surface_record.h"
#include "hostsim/records.h"

struct Scenario {
  std::string name;
  std::string how;            // how the instance's list was made
  ShaderRecord shader{};
  hostsim::ParamBytes params{};
  RenderContext sample{};
  SurfaceRecord surface{};
  FillLayersRecord fill{};
  std::int32_t ids[16] = {};  // host layer ids of the written layers, in write order
  void (*floor)(Scenario&) = nullptr;
};

// (a) the default list; (b) every kind on, with the edge mask. Empty name when the set-up failed.
Scenario MakeDefaultScenario();
Scenario MakeEveryKindScenario();
void FinishScenario(Scenario& scenario);

// One sample at a new pixel through ZUShaderFillLayers; the host's result.
std::int32_t PluginSample(Scenario& scenario);
// The same host calls alone.
void FloorSample(Scenario& scenario);

// Host calls per sample (fill service and light iterator) of each, and whether both made the
// same fill service calls in the same order. Run once before measuring.
struct SampleCheck {
  double pluginCalls;
  double floorCalls;
  bool sameCalls;
};
SampleCheck CheckScenario(Scenario& scenario);
