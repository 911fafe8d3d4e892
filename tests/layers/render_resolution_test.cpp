// Deciding what the packs and Lights layers carry, and dropping layers that are off.
#include <initializer_list>
#include <vector>

#include "layers/layer_kind_table.h"
#include "layers/layer_list.h"
#include "layers/render_resolution.h"
#include "support/host_memory_test.h"

namespace {

using namespace zu;

class RenderResolutionTest : public HostMemoryTest {
 protected:
  void TearDown() override {
    ClearLayerList(list);
    HostMemoryTest::TearDown();
  }

  // Appends enabled layers of the given kinds.
  void Enabled(std::initializer_list<std::int32_t> kinds) {
    for (std::int32_t kind : kinds) AppendLayer(list, FindKindRow(kind))->flags &= ~std::uint32_t{kLayerOff};
  }
  LayerRecord& Off(std::int32_t kind) {
    LayerRecord& record = *AppendLayer(list, FindKindRow(kind));
    record.flags |= kLayerOff;
    return record;
  }
  LayerRecord& On(std::int32_t kind) {
    LayerRecord& record = *AppendLayer(list, FindKindRow(kind));
    record.flags &= ~std::uint32_t{kLayerOff};
    return record;
  }
  std::vector<std::int32_t> Kinds() const {
    std::vector<std::int32_t> kinds;
    for (std::int32_t i = 0; i < list.count; ++i) kinds.push_back(list.items[i].kind);
    return kinds;
  }

  LayerList list = EmptyLayerList();
};

TEST_F(RenderResolutionTest, DefaultListBecomesOneFullDiffusePack) {
  BuildDefaultLayerList(list);
  PrepareLayersForRender(list);
  ASSERT_EQ(list.count, 1);
  EXPECT_EQ(list.items[0].kind, kDiffusePack);
  EXPECT_EQ(list.items[0].flags, 0x7F2u);
  EXPECT_EQ(list.items[0].id, 6) << "kept layers keep their ids";
  EXPECT_EQ(list.capacity, 16);
  EXPECT_EQ(list.nextId, 7);
  EXPECT_EQ(memory.LiveBlockCount(), 2u) << "the dropped layers' names are released";
}

TEST_F(RenderResolutionTest, LayersOfTheirOwnTakeComponentsAwayFromTheDiffusePack) {
  Enabled({kDiffusePack, kLights, kSpecular});
  PrepareLayersForRender(list);
  ASSERT_EQ(list.count, 3);
  EXPECT_EQ(list.items[1].flags & kLightsWithShadows, std::uint32_t{kLightsWithShadows});
  const std::uint32_t pack = list.items[0].flags;
  EXPECT_EQ(pack & (kPackLights | kPackShadows | kPackAmbient), std::uint32_t{kPackShadows | kPackAmbient});
  EXPECT_EQ(pack & kAdditiveMask, 0xE0u);
}

TEST_F(RenderResolutionTest, AutomaticAdditivesPackCoveredByOwnLayersIsDropped) {
  On(kAdditivesPack);
  Enabled({kSpecular, kLuminance, kRtReflections, kRtRefractions});
  PrepareLayersForRender(list);
  EXPECT_EQ(Kinds(), (std::vector<std::int32_t>{kSpecular, kLuminance, kRtReflections, kRtRefractions}));
}

TEST_F(RenderResolutionTest, AnyReflectionKindTakesTheReflectionsFromAPack) {
  for (std::int32_t reflections : {std::int32_t{0}, std::int32_t{kReflections}, std::int32_t{kRtReflections}, std::int32_t{kBitmapReflections}}) {
    ClearLayerList(list);
    On(kAdditivesPack);
    Enabled({kSpecular, kLuminance, kRtRefractions});
    Off(kRtReflections);
    if (reflections != 0) On(reflections);
    ResolvePackContents(list);
    EXPECT_EQ(list.items[0].flags & kAdditiveMask, reflections == 0 ? 0x40u : 0u) << "kind " << reflections;
    EXPECT_EQ(list.items[0].flags & kLayerOff, reflections == 0 ? 0u : 1u) << "kind " << reflections;
  }
}

TEST_F(RenderResolutionTest, ManualAdditivesPackKeepsTheUsersChoice) {
  LayerRecord& pack = On(kAdditivesPack);
  pack.option1 = 1;
  pack.flags = (pack.flags & ~std::uint32_t{kAdditiveMask}) | kAddSpecular | kAddRefractions;
  Enabled({kSpecular, kRtRefractions});
  ResolvePackContents(list);
  EXPECT_EQ(list.items[0].flags & kAdditiveMask, std::uint32_t{kAddSpecular | kAddRefractions});
  EXPECT_EQ(list.items[0].flags & kLayerOff, 0u);

  list.items[0].flags &= ~std::uint32_t{kAdditiveMask};
  PrepareLayersForRender(list);
  EXPECT_EQ(Kinds(), (std::vector<std::int32_t>{kSpecular, kRtRefractions})) << "a manual pack with nothing chosen";
}

TEST_F(RenderResolutionTest, LightsShadowModes) {
  LayerRecord& never = On(kLights);
  never.option1 = 2;
  LayerRecord& always = On(kLights);
  always.option1 = 1;
  On(kShadows);
  LayerRecord& automatic = On(kLights);
  ResolvePackContents(list);
  EXPECT_EQ(list.items[0].flags & kLightsWithShadows, 0u) << "mode 2 never carries shadows";
  EXPECT_NE(list.items[1].flags & kLightsWithShadows, 0u) << "mode 1 always does";
  EXPECT_EQ(automatic.flags & kLightsWithShadows, 0u) << "automatic with a Shadows layer on";
}

TEST_F(RenderResolutionTest, ShadowsLayerThatIsOffCountsAsAbsent) {
  On(kDiffusePack);
  On(kLights);
  Off(kShadows);
  PrepareLayersForRender(list);
  ASSERT_EQ(list.count, 2);
  EXPECT_NE(list.items[0].flags & kPackShadows, 0u);
  EXPECT_NE(list.items[1].flags & kLightsWithShadows, 0u);
}

TEST_F(RenderResolutionTest, DiffusePackModes) {
  LayerRecord& always = On(kDiffusePack);
  always.option1 = 1;
  always.option2 = 1;
  LayerRecord& none = On(kDiffusePack);
  none.option1 = 5;
  none.option2 = 7;
  Enabled({kLights, kShadows, kAmbientGI, kSpecular, kLuminance, kReflections, kRtRefractions});
  LayerRecord& automatic = On(kDiffusePack);
  ResolvePackContents(list);
  EXPECT_EQ(list.items[0].flags & 0x7F0u, 0x7F0u);
  EXPECT_EQ(list.items[1].flags & 0x7F0u, 0u) << "other values set nothing and keep the additive bits as they are";
  EXPECT_EQ(automatic.flags & 0x7F0u, 0u) << "every component has a layer of its own";
}

TEST_F(RenderResolutionTest, TwoDiffusePacksResolveAlike) {
  On(kDiffusePack);
  On(kShadows);
  On(kDiffusePack);
  ResolvePackContents(list);
  EXPECT_EQ(list.items[0].flags, list.items[2].flags);
  EXPECT_EQ(list.items[0].flags & 0x7F0u, std::uint32_t{kPackLights | kPackAmbient | kAdditiveMask});
}

TEST_F(RenderResolutionTest, AllOffEndsEmptyAndIdsAreKept) {
  for (std::int32_t kind : {kFog, kLights, kShadows}) Off(kind);
  PrepareLayersForRender(list);
  EXPECT_EQ(list.count, 0);
  EXPECT_EQ(memory.LiveBlockCount(), 1u) << "only the item array is left";

  ClearLayerList(list);
  for (int i = 0; i < 5; ++i) Off(kFog);
  On(kFog).flags |= 0x4000;  // a bit no operation knows stays set
  On(kFinalRender);
  PrepareLayersForRender(list);
  ASSERT_EQ(list.count, 2);
  EXPECT_EQ(list.items[0].id, 6);
  EXPECT_EQ(list.items[1].id, 7);
  EXPECT_NE(list.items[0].flags & 0x4000u, 0u);
  EXPECT_STREQ(list.items[1].name, "Final Render");
}

TEST_F(RenderResolutionTest, UnloadedOrEmptyListIsLeftAlone) {
  PrepareLayersForRender(list);
  EXPECT_EQ(list.items, nullptr);
  ReserveLayers(list, 4);
  PrepareLayersForRender(list);
  EXPECT_EQ(list.count, 0);
}

}  // namespace
