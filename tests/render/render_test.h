// Fixture for the render subsystem: a layer list, its fill plan and light sums, the test host's
// render services and one sample's records, with the shared component cache fresh per test.
#pragma once

#include <cmath>
#include <vector>

#include "host/render_context.h"
#include "host/surface_record.h"
#include "hostsim/fill_service.h"
#include "hostsim/hooks/test_render_host.h"
#include "layers/layer_kind_table.h"
#include "layers/layer_list.h"
#include "render/component_cache.h"
#include "render/fill_layers.h"
#include "render/fill_plan.h"
#include "render/light_sums.h"
#include "support/host_memory_test.h"

class RenderTest : public HostMemoryTest {
 protected:
  void SetUp() override {
    HostMemoryTest::SetUp();
    zu::SharedComponentCache() = zu::FreshComponentCache();
    surface.lightExponent = 1.0f;
  }
  void TearDown() override {
    zu::ClearLayerList(list);
    HostMemoryTest::TearDown();
  }

  // Appends an enabled layer of kind with its defaults; extra flags are added.
  zu::LayerRecord& Add(std::int32_t kind, std::uint32_t flags = 0) {
    zu::LayerRecord& record = *zu::AppendLayer(list, zu::FindKindRow(kind));
    record.flags = (record.flags & ~std::uint32_t{kLayerOff}) | flags;
    record.hostLayerId = 200 + record.id;
    return record;
  }

  // One ZUShaderFillLayers worth of work, planning the list as it stands.
  std::int32_t Fill() {
    plan = zu::PlanFill(list);
    return zu::FillLayers(plan, sums, host);
  }

  zu::FillContext Context() { return zu::FillContext{host, sums}; }

  // Components requested from the host since the log was last cleared, in order.
  std::vector<std::int32_t> Requests() const {
    std::vector<std::int32_t> components;
    for (const hostsim::hooks::FillCall& call : services.FillCalls())
      if (call.operation == kGetComponent) components.push_back(call.argument);
    return components;
  }
  std::vector<hostsim::hooks::FillCall> Writes() const {
    std::vector<hostsim::hooks::FillCall> writes;
    for (const hostsim::hooks::FillCall& call : services.FillCalls())
      if (call.operation == kWriteLayer) writes.push_back(call);
    return writes;
  }

  hostsim::hooks::TestRenderHost services;
  zu::LayerList list = zu::EmptyLayerList();
  zu::FillPlan plan = zu::EmptyFillPlan();
  zu::LightSums sums{};
  RenderContext sample{};
  SurfaceRecord surface{};
  zu::FillHost host{services.fillService(), services.nextLight(), &sample, &surface};
};

// Whether the colour channels of value are r, g, b, within float rounding.
inline ::testing::AssertionResult ChannelsAre(const ColourValue& value, float r, float g, float b) {
  auto near = [](float a, float e) { return std::fabs(a - e) <= 1e-6f * std::fmax(1.0f, std::fabs(e)); };
  if (near(value.red, r) && near(value.green, g) && near(value.blue, b)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "channels (" << value.red << ", " << value.green << ", " << value.blue
                                       << "), expected (" << r << ", " << g << ", " << b << ")";
}
