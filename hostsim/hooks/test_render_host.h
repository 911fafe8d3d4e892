// The render services as the tests and the bench use them: the core's declare service, fill
// service and light iterator over canned providers, each behind its probe.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "hostsim/declare_service.h"
#include "hostsim/fill_service.h"
#include "hostsim/hooks/canned_components.h"
#include "hostsim/hooks/declare_probe.h"
#include "hostsim/hooks/fill_probe.h"
#include "hostsim/hooks/light_probe.h"
#include "hostsim/hooks/scripted_lights.h"
#include "hostsim/hooks/sequential_layer_ids.h"
#include "hostsim/light_iterator.h"

namespace hostsim::hooks {

class TestRenderHost {
 public:
  // The callbacks to hand to the plug-in: the probes'.
  DeclareLayerFn declare() const { return declareProbe_.function(); }
  FillServiceFn fillService() const { return fillProbe_.function(); }
  NextLightFn nextLight() const { return lightProbe_.function(); }

  // Declarations: every layer is taken, with ids from kFirstHostLayerId in call order.
  const std::vector<LayerDeclaration>& Declarations() const { return declareProbe_.Declarations(); }
  std::int32_t DeclaredId(std::size_t i) const { return declareProbe_.DeclaredId(i); }
  void RefuseDeclarationNumber(std::uint32_t k, std::int32_t code = 1) { declareProbe_.RefuseNumber(k, code); }
  // Forgets declarations and refusals; ids start again at kFirstHostLayerId.
  void ResetDeclarations() {
    declareProbe_.Reset();
    layerIds_.Reset();
  }

  // Fill service: components from the table, every write taken.
  void SetComponent(std::int32_t component, ColourValue value) { components_.Set(component, value); }
  void FailFillCallNumber(std::uint32_t n, std::int32_t code) { fillProbe_.FailCallNumber(n, code); }
  void FailRequest(std::int32_t operation, std::int32_t argument, std::int32_t code) {
    fillProbe_.FailRequest(operation, argument, code);
  }
  const std::vector<FillCall>& FillCalls() const { return fillProbe_.Calls(); }
  void ClearFillLog() { fillProbe_.ClearLog(); }
  std::uint32_t FillCallCount() const { return fillProbe_.CallCount(); }
  // Empties the table (every component answers zeros), the log, the count and the failures.
  void ResetFillService() {
    fillProbe_.Reset();
    components_.Clear();
  }

  // Lights: replaces the scene and forgets the call counts.
  void SetSceneLights(const std::vector<SceneLight>& lights) {
    lights_.Set(lightIterator_, lights);
    lightProbe_.Reset();
  }
  std::uint32_t NextLightCallCount() const { return lightProbe_.CallCount(); }
  std::uint32_t ForeignLightCount() const { return lightProbe_.ForeignCount(); }

 private:
  SequentialLayerIds layerIds_;
  DeclareService declareService_{layerIds_};
  DeclareProbe declareProbe_{declareService_.function()};
  CannedComponents components_;
  FillService fillService_{components_};
  FillProbe fillProbe_{fillService_.function()};
  ScriptedLights lights_;
  LightIterator lightIterator_{lights_};
  LightProbe lightProbe_{lightIterator_};
};

}  // namespace hostsim::hooks
