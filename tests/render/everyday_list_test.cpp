// One render of the everyday list "Diffuse Pack", "Lights", "Specular", all on with automatic
// options, from preparation through declaration to the samples.
#include "layers/render_resolution.h"
#include "render/declare_layers.h"
#include "render/host_component.h"
#include "render_test.h"

namespace {

using namespace zu;

using EverydayListTest = RenderTest;

TEST_F(EverydayListTest, DeclaresThreeLayersAndWritesTheTwoItComputes) {
  for (std::int32_t kind : {kDiffusePack, kLights, kSpecular}) Add(kind);
  PrepareLayersForRender(list);
  ASSERT_EQ(list.count, 3);

  ASSERT_EQ(DeclareLayers(list, services.declare(), DeclareOptions{0, 0, 0, 0}), 0);
  const auto& declared = services.Declarations();
  ASSERT_EQ(declared.size(), 3u);
  const char* names[] = {"Diffuse Pack", "Lights", "Specular"};
  const char* keys[] = {"norm", "mul ", "lddg"};
  const std::int32_t components[] = {-1, -1, kComponentSpecular};
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(hostsim::DeclaredName(declared[i]), names[i]);
    EXPECT_EQ(hostsim::FourCCText(declared[i].blendKey), keys[i]) << names[i];
    EXPECT_EQ(declared[i].component, components[i]) << names[i];
    EXPECT_EQ(list.items[i].hostLayerId, services.DeclaredId(i)) << names[i];
  }

  for (std::int32_t c = kComponentDiffuse; c <= kComponentRefractions; ++c)
    services.SetComponent(c, ColourValue{1.0f, 0.1f * float(c), 0.01f * float(c), 0.001f * float(c)});
  ASSERT_EQ(Fill(), 0);
  // The pack carries luminance, reflections and refractions, not specular, and is not lit:
  // "Lights" has that job, with the host's shadowed light.
  EXPECT_EQ(Requests(), (std::vector<std::int32_t>{1, 3, 6, 8, 2}));
  const auto writes = Writes();
  ASSERT_EQ(writes.size(), 2u) << "the host fills \"Specular\" itself";
  EXPECT_EQ(writes[0].argument, services.DeclaredId(0));
  EXPECT_TRUE(ChannelsAre(writes[0].value, 0.1f * 18, 0.01f * 18, 0.001f * 18));
  EXPECT_EQ(writes[1].argument, services.DeclaredId(1));
  EXPECT_TRUE(ChannelsAre(writes[1].value, 0.2f, 0.02f, 0.002f));
  EXPECT_EQ(services.NextLightCallCount(), 0u);
}

}  // namespace
