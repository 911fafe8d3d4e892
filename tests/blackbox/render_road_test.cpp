// One render driven from outside through the built library: initialize, declare, fill, finish.
#include <cstring>
#include <vector>

#include "blackbox/plugin_fixture.h"
#include "host/render_context.h"
#include "host/surface_record.h"
#include "hostsim/declare_service.h"
#include "hostsim/fill_service.h"
#include "hostsim/hooks/test_render_host.h"
#include "hostsim/stored_list_form.h"

namespace {

using Calls = std::vector<std::pair<std::int32_t, std::int32_t>>;  // operation, argument

class RenderRoadTest : public PluginTest {
 protected:
  void SetUp() override {
    PluginTest::SetUp();
    services.SetSceneLights({{{1, 1, 1}, 0.5f, 1, {0.25f, 0.25f, 0.25f}}});
    for (std::int32_t c = 1; c <= 8; ++c) services.SetComponent(c, ColourValue{1.0f, 0.1f * float(c), 0.5f, 1.0f});
    surface.lightExponent = 1.0f;
    BecomeRenderingHost();
  }
  void TearDown() override {
    if (shader.instance != nullptr) zu().finish(&shader);
    PluginTest::TearDown();
  }

  void Initialize(const hostsim::ParamWords& words) {
    params = hostsim::EncodeParamBlock(words);
    shader = Shader(params);
    ASSERT_EQ(zu().initialize(&shader), 0);
    ASSERT_NE(shader.instance, nullptr);
  }
  std::int32_t Declare() {
    InitLayersRecord record = hostsim::MakeInitLayersRecord(shader.instance, services.declare());
    return zu().initLayers(&record);
  }
  std::int32_t Fill() {
    services.ClearFillLog();
    FillLayersRecord record = hostsim::MakeFillLayersRecord(shader.instance, services.nextLight(), &sample,
                                                            &surface, services.fillService());
    return zu().fillLayers(&record);
  }
  Calls FillCalls() const {
    Calls calls;
    for (const hostsim::hooks::FillCall& call : services.FillCalls()) calls.emplace_back(call.operation, call.argument);
    return calls;
  }

  hostsim::hooks::TestRenderHost services;
  hostsim::ParamBytes params{};
  ShaderRecord shader{};
  RenderContext sample{};
  SurfaceRecord surface{};
};

TEST_F(RenderRoadTest, DefaultListFromInitializeToFinish) {
  Initialize({});
  ASSERT_EQ(Declare(), 0);
  ASSERT_EQ(services.Declarations().size(), 1u);
  const LayerDeclaration& pack = services.Declarations()[0];
  EXPECT_EQ(hostsim::DeclaredName(pack), "Diffuse Pack");
  EXPECT_EQ(hostsim::FourCCText(pack.blendKey), "norm");
  EXPECT_EQ(pack.declFlags, 0x3u);
  EXPECT_EQ(pack.layerClass, 2);
  EXPECT_EQ(pack.classParam, 4);
  EXPECT_EQ(pack.component, -1);
  const std::int32_t id = services.DeclaredId(0);

  // The pack carries light with shadows, ambient and all four additives: every component once.
  const std::uint32_t allocations = memory.AllocationCount();
  ASSERT_EQ(Fill(), 0);
  EXPECT_EQ(FillCalls(), (Calls{{2, 1}, {2, 2}, {2, 5}, {2, 4}, {2, 3}, {2, 6}, {2, 8}, {3, id}}));
  const ColourValue written = services.FillCalls().back().value;
  EXPECT_FLOAT_EQ(written.red, 0.1f * (0.2f + 0.5f) + 0.4f + 0.3f + 0.6f + 0.8f);
  EXPECT_FLOAT_EQ(written.green, 0.5f * (0.5f + 0.5f) + 2.0f);
  EXPECT_FLOAT_EQ(written.blue, 1.0f * (1.0f + 1.0f) + 4.0f);
  EXPECT_EQ(services.NextLightCallCount(), 0u) << "the host's shadowed light needs no walk";

  ASSERT_EQ(Fill(), 0);
  EXPECT_EQ(FillCalls(), (Calls{{3, id}})) << "same pixel: only the write";
  EXPECT_EQ(memory.AllocationCount(), allocations) << "a sample allocates nothing";

  EXPECT_EQ(zu().finish(&shader), 0);
  EXPECT_EQ(memory.LiveBlockCount(), 0u);
}

TEST_F(RenderRoadTest, TheFirstSampleAfterLoadIsANewPixelEvenAtTheInitialKey) {
  Initialize({});
  ASSERT_EQ(Declare(), 0);
  sample.pixelX = -12345678;
  sample.pixelY = 12345678;
  ASSERT_EQ(Fill(), 0);
  EXPECT_EQ(FillCalls().size(), 8u);
}

TEST_F(RenderRoadTest, HostFailuresComeBackAsResults) {
  hostsim::ParamWords words;
  words.edgeMask = 1;
  Initialize(words);
  services.RefuseDeclarationNumber(1);
  EXPECT_EQ(Declare(), -1) << "the edge mask refused";
  services.ResetDeclarations();
  ASSERT_EQ(Declare(), 0);
  ASSERT_EQ(services.Declarations().size(), 2u);
  EXPECT_EQ(hostsim::DeclaredName(services.Declarations()[0]), "Edge Mask");
  EXPECT_EQ(services.Declarations()[1].declFlags, 0x203u);

  services.FailRequest(2, 2, 77);
  EXPECT_EQ(Fill(), 77);
  EXPECT_EQ(FillCalls(), (Calls{{2, 1}, {2, 2}})) << "nothing written after the refusal";
  services.ResetFillService();
  ASSERT_EQ(Fill(), 0);
  EXPECT_EQ(FillCalls().size(), 7u) << "the refused component is asked for again, the diffuse one is not";

  FillLayersRecord noService = hostsim::MakeFillLayersRecord(shader.instance, nullptr, &sample, &surface, nullptr);
  services.ClearFillLog();
  EXPECT_EQ(zu().fillLayers(&noService), 0);
  EXPECT_TRUE(services.FillCalls().empty());
}

// "Diffuse Pack", "Lights" and "Specular", all on with automatic options, read from a stored list.
TEST_F(RenderRoadTest, StoredDiffusePackLightsAndSpecular) {
  const auto block = hostsim::StoredListBuilder()
                         .Bytes(hostsim::EncodeStoredList("Shot7_", {{1, 0x2, 0, 0, 0, 0, "Diffuse Pack"},
                                                                     {2, 0x2, 8, 0, 0, 0, "Lights"},
                                                                     {6, 0x0, 18, 0, 0, 0, "Specular"}}))
                         .InHostBlock();
  hostsim::ParamWords words;
  words.storedList = hostsim::HostAddress(block.data());
  words.nameMode = 1;
  Initialize(words);
  ASSERT_EQ(Declare(), 0);
  const auto& declared = services.Declarations();
  ASSERT_EQ(declared.size(), 3u);
  const char* names[] = {"Shot7_Diffuse Pack", "Shot7_Lights", "Shot7_Specular"};
  const char* keys[] = {"norm", "mul ", "lddg"};
  const std::int32_t components[] = {-1, -1, 4};
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(hostsim::DeclaredName(declared[i]), names[i]);
    EXPECT_EQ(hostsim::FourCCText(declared[i].blendKey), keys[i]) << names[i];
    EXPECT_EQ(declared[i].component, components[i]) << names[i];
  }
  ASSERT_EQ(Fill(), 0);
  const std::int32_t pack = services.DeclaredId(0), lights = services.DeclaredId(1);
  EXPECT_EQ(FillCalls(), (Calls{{2, 1}, {2, 3}, {2, 6}, {2, 8}, {3, pack}, {2, 2}, {3, lights}}));
  EXPECT_FLOAT_EQ(services.FillCalls()[4].value.red, 0.1f + 0.3f + 0.6f + 0.8f);
  EXPECT_FLOAT_EQ(services.FillCalls()[6].value.red, 0.2f);
  EXPECT_EQ(zu().finish(&shader), 0);
}

}  // namespace
