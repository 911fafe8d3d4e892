// The walk over the host's lights, the sums it builds and the clamp of the unshadowed light.
#include <limits>

#include "render/host_component.h"
#include "render_test.h"

namespace {

using namespace zu;

using hostsim::hooks::SceneLight;

class LightSumsTest : public RenderTest {
 protected:
  // Fresh sums for one light walk with the given scene.
  LightSums Walk(const std::vector<SceneLight>& lights) {
    services.SetSceneLights(lights);
    sums = LightSums{};
    FillContext fill = Context();
    ComputeLightSums(fill);
    return sums;
  }
  // The clamp alone on sums set by hand, with the host's diffuse colour d at a new pixel.
  void Clamp(float d, ColourValue unshadowed, ColourValue shadowed) {
    ++sample.pixelX;
    EnterPixel(SharedComponentCache(), sample.pixelX, sample.pixelY);
    services.SetComponent(kComponentDiffuse, ColourValue{1.0f, d, d, d});
    sums.unshadowed = unshadowed;
    sums.shadowed = shadowed;
    sums.ambient = kNoLight;
    FillContext fill = Context();
    ClampUnshadowedLight(fill);
  }
};

constexpr SceneLight White(float factor, std::int32_t shadowFlag = 1) {
  return SceneLight{{1.0f, 1.0f, 1.0f}, factor, shadowFlag, {0.25f, 0.5f, 0.75f}};
}

TEST_F(LightSumsTest, AnEmptySceneLeavesNoLight) {
  const LightSums s = Walk({});
  EXPECT_EQ(s.computed, 1);
  EXPECT_TRUE(ChannelsAre(s.unshadowed, 0, 0, 0));
  EXPECT_TRUE(ChannelsAre(s.shadowed, 0, 0, 0));
  EXPECT_EQ(s.unshadowed.alpha, 1.0f);
  EXPECT_EQ(s.shadowed.alpha, 1.0f);
  EXPECT_EQ(services.NextLightCallCount(), 1u) << "one call starts and ends the walk";
}

TEST_F(LightSumsTest, EveryLightIsEvaluatedByTheCallThatIsGivenIt) {
  // The first call's outputs are the host's junk: using them would show in the sums.
  const LightSums s = Walk({SceneLight{{1.0f, 0.5f, 0.25f}, 1.0f, 1, {0.5f, 0.5f, 0.5f}},
                            SceneLight{{0.5f, 0.5f, 0.5f}, 0.5f, 0, {9.0f, 9.0f, 9.0f}}});
  EXPECT_EQ(services.NextLightCallCount(), 3u);
  EXPECT_EQ(services.ForeignLightCount(), 0u);
  EXPECT_TRUE(ChannelsAre(s.unshadowed, 1.25f, 0.75f, 0.5f));
  EXPECT_TRUE(ChannelsAre(s.shadowed, 0.5f, 0.5f, 0.5f)) << "the second light casts no shadow";

  // Computed sums are kept for the rest of the call.
  FillContext fill = Context();
  ComputeLightSums(fill);
  EXPECT_EQ(services.NextLightCallCount(), 3u);
}

TEST_F(LightSumsTest, TheSurfaceExponentShapesTheFactor) {
  surface.lightExponent = 2.0f;
  EXPECT_TRUE(ChannelsAre(Walk({White(0.5f)}).unshadowed, 0.25f, 0.25f, 0.25f));
  EXPECT_TRUE(ChannelsAre(sums.shadowed, 0.0625f, 0.125f, 0.1875f));
  surface.lightExponent = 1.0f;
  EXPECT_TRUE(ChannelsAre(Walk({White(0.5f)}).unshadowed, 0.5f, 0.5f, 0.5f));
}

TEST_F(LightSumsTest, LightFromBehindCountsOnlyOnABackLitSurface) {
  EXPECT_TRUE(ChannelsAre(Walk({White(-0.5f), White(0.0f)}).unshadowed, 0, 0, 0));
  EXPECT_TRUE(ChannelsAre(sums.shadowed, 0, 0, 0));

  surface.backLightColour[0] = 1.0f;
  EXPECT_TRUE(ChannelsAre(Walk({White(-0.5f)}).unshadowed, 0.5f, 0, 0));
  EXPECT_TRUE(ChannelsAre(sums.shadowed, 0.125f, 0, 0));

  surface.backLightColour[1] = 0.5f;
  surface.lightExponent = 2.0f;
  EXPECT_TRUE(ChannelsAre(Walk({White(-0.5f, 0)}).unshadowed, 0.25f, 0.125f, 0));
  EXPECT_TRUE(ChannelsAre(sums.shadowed, 0, 0, 0)) << "no shadow flag";
}

TEST_F(LightSumsTest, AFactorThatIsNotANumberAddsNothing) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  for (float back : {0.0f, 1.0f}) {
    surface.backLightColour[0] = surface.backLightColour[1] = surface.backLightColour[2] = back;
    const LightSums s = Walk({White(nan), White(0.5f)});
    EXPECT_TRUE(ChannelsAre(s.unshadowed, 0.5f, 0.5f, 0.5f)) << "back light " << back;
    EXPECT_TRUE(ChannelsAre(s.shadowed, 0.125f, 0.25f, 0.375f)) << "back light " << back;
  }
}

TEST_F(LightSumsTest, AmbientJoinsOnlyWhenNoAmbientLayerExists) {
  services.SetComponent(kComponentAmbient, ColourValue{0.5f, 0.2f, 0.3f, 0.4f});
  sums = LightSums{};
  FillContext fill = Context();
  ComputeLightSums(fill);
  EXPECT_TRUE(Requests().empty()) << "an Ambient/GI layer exists";
  EXPECT_TRUE(ChannelsAre(sums.ambient, 0, 0, 0));

  sums = LightSums{};
  sums.includeAmbient = 1;
  ComputeLightSums(fill);
  EXPECT_EQ(Requests(), std::vector<std::int32_t>{kComponentAmbient});
  EXPECT_TRUE(ChannelsAre(sums.ambient, 0.2f, 0.3f, 0.4f));

  // A refused ambient component does not stop the sums.
  SharedComponentCache() = FreshComponentCache();
  services.FailRequest(kGetComponent, kComponentAmbient, 5);
  sums = LightSums{};
  sums.includeAmbient = 1;
  ComputeLightSums(fill);
  EXPECT_EQ(sums.computed, 1);
  EXPECT_TRUE(ChannelsAre(sums.ambient, 0, 0, 0));
}

TEST_F(LightSumsTest, ClampLowersTheUnshadowedLightByTheStrongestReduction) {
  Clamp(1.0f, {1, 2, 2, 2}, {1, 0.5f, 0.5f, 0.5f});
  EXPECT_TRUE(ChannelsAre(sums.unshadowed, 1, 1, 1)) << "every channel aims at 1";
  EXPECT_EQ(sums.unshadowed.alpha, 1.0f);

  Clamp(1.0f, {1, 4, 2, 2}, {1, 0.5f, 0.5f, 0.5f});
  EXPECT_TRUE(ChannelsAre(sums.unshadowed, 1, 0.5f, 0.5f)) << "ratios 0.25, 0.5, 0.5: the smallest wins";

  Clamp(1.0f, {1, 3, 3, 3}, {1, 3, 3, 3});
  EXPECT_TRUE(ChannelsAre(sums.unshadowed, 3, 3, 3)) << "the shadowed light is no lower";

  Clamp(0.5f, {1, 6, 1, 1}, {1, 4, 0, 0});
  EXPECT_TRUE(ChannelsAre(sums.unshadowed, 4, 0.6666667f, 0.6666667f)) << "a shadowed result above 1 is the target";

  Clamp(0.0001f, {1, 50000, 50000, 50000}, {1, 0, 0, 0});
  EXPECT_TRUE(ChannelsAre(sums.unshadowed, 50000, 50000, 50000)) << "a diffuse colour this dark takes no part";

  Clamp(0.5f, {1, 1.5f, 1.5f, 1.5f}, {1, 0, 0, 0});
  EXPECT_TRUE(ChannelsAre(sums.unshadowed, 1.5f, 1.5f, 1.5f)) << "the lit surface does not clip";
}

TEST_F(LightSumsTest, ClampWorksIn32BitFloats) {
  // (2 + 1e-7) rounds to 2 in a 32-bit float, so X is exactly 1 and nothing clips; wider
  // intermediates would see 1.00000005 and lower the light.
  ++sample.pixelX;
  EnterPixel(SharedComponentCache(), sample.pixelX, sample.pixelY);
  services.SetComponent(kComponentDiffuse, ColourValue{1.0f, 0.5f, 0.5f, 0.5f});
  sums.unshadowed = {1, 2, 2, 2};
  sums.shadowed = {1, 0.5f, 0.5f, 0.5f};
  sums.ambient = {1, 1e-7f, 1e-7f, 1e-7f};
  FillContext fill = Context();
  ClampUnshadowedLight(fill);
  EXPECT_EQ(sums.unshadowed.red, 2.0f);
  EXPECT_EQ(sums.unshadowed.blue, 2.0f);
}

TEST_F(LightSumsTest, ClampIsSkippedWhenTheHostRefusesTheDiffuseColour) {
  services.FailRequest(kGetComponent, kComponentDiffuse, 4);
  Clamp(1.0f, {1, 2, 2, 2}, {1, 0.5f, 0.5f, 0.5f});
  EXPECT_TRUE(ChannelsAre(sums.unshadowed, 2, 2, 2));
}

TEST_F(LightSumsTest, ClampRunsAfterTheWalkWhenAsked) {
  services.SetComponent(kComponentDiffuse, ColourValue{1, 1, 1, 1});
  services.SetSceneLights({White(2.0f)});
  sums = LightSums{};
  sums.balanceShadows = 1;
  FillContext fill = Context();
  ComputeLightSums(fill);
  EXPECT_TRUE(ChannelsAre(sums.unshadowed, 1, 1, 1));
  EXPECT_TRUE(ChannelsAre(sums.shadowed, 0.5f, 1, 1.5f));
}

}  // namespace
