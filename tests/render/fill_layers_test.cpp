// Filling the plug-in's layers for one sample: values, host requests, the cache and failures.
#include "render/host_component.h"
#include "render_test.h"

namespace {

using namespace zu;

using Components = std::vector<std::int32_t>;

class FillLayersTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    // Distinct components, so that a wrong one shows in the values written.
    services.SetComponent(kComponentDiffuse, {0.9f, 0.5f, 0.5f, 0.5f});
    services.SetComponent(kComponentShadowedLight, {0.8f, 0.6f, 0.7f, 0.8f});
    services.SetComponent(kComponentLuminance, {1, 0.01f, 0.02f, 0.03f});
    services.SetComponent(kComponentSpecular, {1, 0.1f, 0.2f, 0.3f});
    services.SetComponent(kComponentAmbient, {0.7f, 0.2f, 0.2f, 0.2f});
    services.SetComponent(kComponentReflections, {1, 0.2f, 0.4f, 0.6f});
    services.SetComponent(kComponentBitmapReflections, {1, 0.3f, 0.1f, 0.6f});
    services.SetComponent(kComponentRefractions, {1, 1, 2, 3});
  }
  // The single value written, checked to go to layer's host id.
  ColourValue Written(const LayerRecord& layer) {
    const auto writes = Writes();
    EXPECT_EQ(writes.size(), 1u);
    if (writes.empty()) return {};
    EXPECT_EQ(writes[0].argument, layer.hostLayerId);
    return writes[0].value;
  }
  // Clears the host's log and moves to a new pixel.
  void NextPixel() {
    services.ClearFillLog();
    ++sample.pixelX;
  }
};

TEST_F(FillLayersTest, DiffusePackIsLitAsItsBitsSay) {
  services.SetSceneLights({{{1, 1, 1}, 1.0f, 1, {0, 0, 0}}});
  struct Case {
    std::uint32_t flags;
    Components requests;
    float red, green, blue;
    std::uint32_t lightCalls;
    const char* what;
  } cases[] = {
      {kPackLights | kPackShadows, {1, 2}, 0.3f, 0.35f, 0.4f, 0, "lit by the host's shadowed light"},
      {kPackShadows | kPackAmbient, {1}, 0.5f, 0.5f, 0.5f, 0, "without kPackLights: the diffuse colour"},
      {kPackLights | kPackAmbient, {1, 5}, 0.6f, 0.6f, 0.6f, 2, "unshadowed sum 1 plus ambient 0.2"},
      {kPackLights | kPackShadows | kPackAmbient, {1, 2, 5}, 0.4f, 0.45f, 0.5f, 0, "shadowed light plus ambient"},
  };
  for (const Case& c : cases) {
    ClearLayerList(list);
    const LayerRecord& pack = Add(kDiffusePack, c.flags);
    NextPixel();
    const std::uint32_t lightCalls = services.NextLightCallCount();
    ASSERT_EQ(Fill(), 0) << c.what;
    EXPECT_EQ(Requests(), c.requests) << c.what;
    EXPECT_EQ(services.NextLightCallCount() - lightCalls, c.lightCalls) << c.what;
    const ColourValue value = Written(pack);
    EXPECT_EQ(value.alpha, 0.9f) << c.what << ": the diffuse component's alpha";
    EXPECT_TRUE(ChannelsAre(value, c.red, c.green, c.blue)) << c.what;
  }
}

TEST_F(FillLayersTest, PacksAddTheirAdditivesInOrder) {
  const LayerRecord& diffuse = Add(kDiffusePack, kAddSpecular | kAddRefractions);
  const LayerRecord& additives = Add(kAdditivesPack);  // all four by default
  ASSERT_EQ(Fill(), 0);
  EXPECT_EQ(Requests(), (Components{1, 4, 8, 3, 6})) << "each component once per pixel";
  const auto writes = Writes();
  ASSERT_EQ(writes.size(), 2u);
  EXPECT_EQ(writes[0].argument, diffuse.hostLayerId);
  EXPECT_TRUE(ChannelsAre(writes[0].value, 1.6f, 2.7f, 3.8f));
  EXPECT_EQ(writes[1].argument, additives.hostLayerId);
  EXPECT_EQ(writes[1].value.alpha, 1.0f);
  EXPECT_TRUE(ChannelsAre(writes[1].value, 1.31f, 2.62f, 3.93f));

  // A refusal half way keeps nothing back from the host: the layer is not written.
  ClearLayerList(list);
  Add(kAdditivesPack);
  NextPixel();
  services.FailRequest(kGetComponent, kComponentReflections, 12);
  EXPECT_EQ(Fill(), 12);
  EXPECT_EQ(Requests(), (Components{4, 3, 6}));
  EXPECT_TRUE(Writes().empty());
}

TEST_F(FillLayersTest, LightsAndShadowsLayers) {
  services.SetSceneLights({{{1, 1, 1}, 1.0f, 1, {0.5f, 0.00005f, 0.0f}}});
  const LayerRecord& withShadows = Add(kLights, kLightsWithShadows);
  const LayerRecord& unshadowed = Add(kLights);
  LayerRecord& shadows = Add(kShadows);
  shadows.option1 = 0;  // no clamp here
  ASSERT_EQ(Fill(), 0);
  EXPECT_EQ(Requests(), (Components{kComponentShadowedLight, kComponentAmbient})) << "no Ambient/GI layer";
  EXPECT_EQ(services.NextLightCallCount(), 2u) << "one walk for both layers that need it";
  const auto writes = Writes();
  ASSERT_EQ(writes.size(), 3u);
  EXPECT_EQ(writes[0].argument, withShadows.hostLayerId);
  EXPECT_TRUE(ChannelsAre(writes[0].value, 0.6f, 0.7f, 0.8f));
  EXPECT_EQ(writes[1].argument, unshadowed.hostLayerId);
  EXPECT_EQ(writes[1].value.alpha, 1.0f);
  EXPECT_TRUE(ChannelsAre(writes[1].value, 1, 1, 1));
  EXPECT_EQ(writes[2].argument, shadows.hostLayerId);
  EXPECT_TRUE(ChannelsAre(writes[2].value, 0.5f, 0.00005f, 0));

  // Below the floor the divisor is 0.0001, and the ratio may exceed 1.
  services.SetSceneLights({{{0, 0, 0}, 1.0f, 1, {0.00005f, 0.0f, 2.0f}}});
  NextPixel();
  ASSERT_EQ(Fill(), 0);
  EXPECT_TRUE(ChannelsAre(Writes()[2].value, 0.5f, 0, 20000.0f));
}

TEST_F(FillLayersTest, AmbientRtReflectionsAndTransparency) {
  Add(kAmbientGI).option1 = 0;  // the host's
  const LayerRecord& ambient = Add(kAmbientGI);
  const LayerRecord& rt = Add(kRtReflections);
  const LayerRecord& transparency = Add(kTransparency);
  sample.transparencyFirst = 0.25f;
  sample.transparencySecond = 0.75f;
  ASSERT_EQ(Fill(), 0);
  EXPECT_EQ(Requests(), (Components{5, 1, 7, 6}));
  const auto writes = Writes();
  ASSERT_EQ(writes.size(), 3u);
  EXPECT_EQ(writes[0].argument, ambient.hostLayerId);
  EXPECT_EQ(writes[0].value.alpha, 0.7f) << "the ambient component's alpha";
  EXPECT_TRUE(ChannelsAre(writes[0].value, 0.1f, 0.1f, 0.1f));
  EXPECT_EQ(writes[1].argument, rt.hostLayerId);
  EXPECT_TRUE(ChannelsAre(writes[1].value, -0.1f, 0.3f, 0.0f)) << "negative differences stay";
  EXPECT_EQ(writes[2].argument, transparency.hostLayerId);
  EXPECT_EQ(writes[2].value.alpha, 1.0f);
  EXPECT_TRUE(ChannelsAre(writes[2].value, 0.25f, 0.75f, 0.75f));
}

TEST_F(FillLayersTest, EachComponentIsAskedForOncePerPixel) {
  Add(kDiffusePack, kPackLights | kPackShadows | kPackAmbient);
  Add(kAmbientGI);
  Add(kDiffusePack, kPackLights | kPackShadows);
  ASSERT_EQ(Fill(), 0);
  EXPECT_EQ(Requests(), (Components{1, 2, 5}));
  EXPECT_EQ(Writes().size(), 3u);

  services.ClearFillLog();
  ASSERT_EQ(Fill(), 0);
  EXPECT_TRUE(Requests().empty()) << "same pixel, next sample";
  EXPECT_EQ(Writes().size(), 3u);

  services.ClearFillLog();
  ++sample.pixelY;
  ASSERT_EQ(Fill(), 0);
  EXPECT_EQ(Requests(), (Components{1, 2, 5})) << "only pixelY changed";
}

TEST_F(FillLayersTest, HostFilledLayersCostNothingButThePixelKeyMoves) {
  Add(kSpecular);
  Add(kFog);
  Add(kMaskOf);
  sample.pixelX = 40;
  sample.pixelY = -3;
  ASSERT_EQ(Fill(), 0);
  EXPECT_TRUE(services.FillCalls().empty());
  EXPECT_EQ(SharedComponentCache().pixelX, 40);
  EXPECT_EQ(SharedComponentCache().pixelY, -3);

  // Without a fill service or a render context nothing happens at all, not even the pixel check.
  Add(kTransparency);
  sample.pixelX = 41;
  host.renderContext = nullptr;
  EXPECT_EQ(Fill(), 0);
  host.renderContext = &sample;
  host.fillService = nullptr;
  EXPECT_EQ(Fill(), 0);
  EXPECT_TRUE(services.FillCalls().empty());
  EXPECT_EQ(SharedComponentCache().pixelX, 40);
}

TEST_F(FillLayersTest, LayersAmongTheHostsAreWrittenInListOrderWhateverTheGaps) {
  // More stretches of the host's layers between the written ones than the plan has runs for.
  std::vector<std::int32_t> written;
  for (std::int32_t i = 0; i < 2 * kFillRunLimit; ++i) {
    Add(kFog);
    Add(kAmbientGI).option1 = 0;
    written.push_back(Add(i % 2 == 0 ? kTransparency : kRtReflections).hostLayerId);
  }
  ASSERT_EQ(Fill(), 0);
  std::vector<std::int32_t> ids;
  for (const hostsim::hooks::FillCall& write : Writes()) ids.push_back(write.argument);
  EXPECT_EQ(ids, written);
  EXPECT_EQ(Requests(), (Components{7, 6})) << "nothing for the host's layers";
}

TEST_F(FillLayersTest, AFailedWriteStopsTheSample) {
  Add(kTransparency);
  Add(kTransparency);
  Add(kTransparency);
  services.FailFillCallNumber(2, -4);
  EXPECT_EQ(Fill(), -4);
  EXPECT_EQ(services.FillCalls().size(), 2u) << "the third layer is not written";
}

TEST_F(FillLayersTest, ARefusedComponentIsAskedForAgain) {
  const LayerRecord& pack = Add(kDiffusePack);
  services.FailFillCallNumber(1, 3);
  EXPECT_EQ(Fill(), 3);
  EXPECT_TRUE(Writes().empty());

  // Same pixel: the host is asked again, and what it gives now is written.
  services.ClearFillLog();
  EXPECT_EQ(Fill(), 0);
  EXPECT_EQ(Requests(), Components{kComponentDiffuse});
  EXPECT_TRUE(ChannelsAre(Written(pack), 0.5f, 0.5f, 0.5f));
}

TEST_F(FillLayersTest, ThePlanIsDecidedOnceFromTheList) {
  Add(kShadows).option1 = 0;
  Add(kShadows).option1 = 1;  // only the first enabled one counts
  const LayerRecord& fog = Add(kFog);
  Add(kLights);
  plan = PlanFill(list);
  EXPECT_EQ(plan.balanceShadows, 0);
  EXPECT_EQ(plan.includeAmbient, 1);
  EXPECT_EQ(Fill(), 0);
  EXPECT_EQ(sums.includeAmbient, 1);
  EXPECT_EQ(sums.balanceShadows, 0);
  ASSERT_EQ(Writes().size(), 3u);
  for (const hostsim::hooks::FillCall& write : Writes()) EXPECT_NE(write.argument, fog.hostLayerId) << "the host's \"Fog\"";

  // Planning and filling ask the host for no memory: nothing of a render can be refused per sample.
  list.items[0].flags |= kLayerOff;
  Add(kAmbientGI).option1 = 0;
  const std::uint32_t allocations = memory.AllocationCount();
  memory.FailAllocationsFrom(allocations + 1);
  NextPixel();
  ASSERT_EQ(Fill(), 0);
  EXPECT_EQ(plan.balanceShadows, 1);
  EXPECT_EQ(plan.includeAmbient, 0);
  EXPECT_EQ(memory.AllocationCount(), allocations);
}

}  // namespace
