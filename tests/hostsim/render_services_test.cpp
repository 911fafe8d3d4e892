// The host core's render services against the application's providers: the fill service's
// operations and the light walk's protocol, with no probe in between.
#include <gtest/gtest.h>

#include <vector>

#include "hostsim/declare_service.h"
#include "hostsim/fill_service.h"
#include "hostsim/light_iterator.h"

namespace {

struct Provider : hostsim::FillProvider, hostsim::LightProvider, hostsim::DeclareProvider {
  std::vector<std::int32_t> written;
  std::int32_t GetComponent(std::int32_t component, ColourValue& value) override {
    value = ColourValue{1.0f, float(component), 0.0f, 0.0f};
    return component == 9 ? 4 : 0;
  }
  std::int32_t WriteLayer(std::int32_t id, const ColourValue&) override {
    written.push_back(id);
    return 0;
  }
  std::vector<LightOutputs> outputs = {{0.5f, 0, {0.0f, 0.0f, 0.0f}}, {1.0f, 1, {1.0f, 0.0f, 0.0f}},
                                                {1.5f, 2, {2.0f, 0.0f, 0.0f}}};
  const LightOutputs* SampleOutputs() override { return outputs.data(); }
  std::int32_t Declare(const LayerDeclaration& d, std::int32_t& id) override {
    id = 40 + d.component;
    return d.component < 0 ? 6 : 0;
  }
};

TEST(RenderServices, FillPassesItsTwoOperationsOnAndRefusesTheRest) {
  Provider provider;
  hostsim::FillService service(provider);
  const FillServiceFn fill = service.function();
  ColourValue value{};
  EXPECT_EQ(fill(kGetComponent, 7, &value), 0);
  EXPECT_EQ(value.red, 7.0f);
  EXPECT_EQ(fill(kGetComponent, 9, &value), 4) << "the provider's refusal comes back";
  EXPECT_EQ(fill(kWriteLayer, 101, &value), 0);
  EXPECT_EQ(provider.written, std::vector<std::int32_t>{101});
  EXPECT_EQ(fill(1, 101, &value), hostsim::kUnknownOperationCode);
  EXPECT_EQ(fill(kWriteLayer, 102, nullptr), hostsim::kUnknownOperationCode);
  EXPECT_EQ(provider.written.size(), 1u);

  hostsim::DeclareService declare(provider);
  LayerDeclaration taken{}, refused{};
  taken.component = 3;
  refused.component = -1;
  EXPECT_EQ(declare.function()(&taken), 0);
  EXPECT_EQ(taken.hostLayerId, 43);
  EXPECT_EQ(declare.function()(&refused), 6);
  EXPECT_EQ(refused.hostLayerId, 0) << "a refused layer gets no id";
}

TEST(RenderServices, TheLightWalkHandsOutEachLightAndEndsOnOneItDoesNotKnow) {
  Provider provider;
  hostsim::LightIterator lights(provider);
  lights.SetLights({{1, 0.5f, 0.25f}, {0.1f, 0.2f, 0.3f}});
  const NextLightFn next = lights.function();
  void* light = nullptr;
  std::int32_t flag = 0, third = 0, fifth = 0, sixth = 0, seventh = 0;
  float factor = 0, red = 0, green = 0, blue = 0;
  auto step = [&] { next(&light, &flag, &third, &factor, &fifth, &sixth, &seventh, &red, &green, &blue); };

  step();
  ASSERT_EQ(light, lights.Light(0)) << "a walk starts at the first light";
  EXPECT_EQ(static_cast<const LightRecord*>(light)->colour[1], 0.5f);
  step();
  ASSERT_EQ(light, lights.Light(1));
  EXPECT_EQ(factor, 0.5f) << "the outputs are the light's that was given";
  step();
  EXPECT_EQ(light, nullptr) << "none after the last";
  EXPECT_EQ(factor, 1.0f);
  EXPECT_EQ(flag, 1);

  // A record from elsewhere, one past the scene's, or an address inside one ends the walk.
  LightRecord foreign{};
  auto* first = const_cast<LightRecord*>(lights.Light(0));
  for (void* unknown : {static_cast<void*>(&foreign), static_cast<void*>(first + 2),
                        static_cast<void*>(reinterpret_cast<char*>(first) + 4)}) {
    light = nullptr;
    step();
    light = unknown;
    step();
    EXPECT_EQ(light, nullptr);
  }
  lights.SetLights({});
  light = nullptr;
  step();
  EXPECT_EQ(light, nullptr) << "an empty scene has no first light";
}

}  // namespace
