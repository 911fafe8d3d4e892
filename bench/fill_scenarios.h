// The render set-ups the fill benchmark measures. Each has its sample, ZUShaderFillLayers of
// the loaded library, and its floor: the same host calls in the same order, made alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/entry_points.h"
#include "host/fill_layers_record.h"
#include "host/render_context.h"
#include "host/shader_record.h"
#include "host/surface_record.h"
#include "hostsim/host_allocator.h"
#include "hostsim/plugin_library.h"
#include "hostsim/records.h"

struct Scenario {
  std::string name;              // also the suffix of the benchmark names
  std::string what;              // the list, in words
  ShaderFillLayersFn fillLayers = nullptr;
  ShaderFinishFn finish = nullptr;
  std::vector<std::uint8_t> storedList;  // the host's block the instance's list is read from; empty: default list
  hostsim::ParamBytes params{};
  ShaderRecord shader{};
  RenderContext sample{};
  SurfaceRecord surface{};
  FillLayersRecord fill{};
  std::int32_t ids[16] = {};     // host layer ids of the written layers, in write order
  std::int32_t lightCount = 0;
  void (*floor)(Scenario&) = nullptr;
  bool ready = false;            // set up, and its floor makes the plug-in's host calls
};

// The four scenarios, set up through the library's entry points, their instances allocated
// through memory. Each stays where it is made: its fill record points into it. A scenario that
// cannot be set up, or whose floor does not make the calls the plug-in makes, comes back not
// ready, with the reason in what.
std::vector<std::unique_ptr<Scenario>> MakeScenarios(const hostsim::PluginEntryPoints& zu,
                                                     hostsim::AllocatorPair memory);
void FinishScenario(Scenario& scenario);

// Gives the host services the scenario's components and lights; before its samples.
void EnterScenario(const Scenario& scenario);

// One sample at a new pixel through ZUShaderFillLayers, so that nothing comes from the plug-in's
// cache; the plug-in's result.
std::int32_t PluginSample(Scenario& scenario);
// The same host calls alone.
void FloorSample(Scenario& scenario);

// Host calls (fill service and light iterator) that one sample of the scenario makes.
std::size_t HostCallsPerSample(Scenario& scenario);
