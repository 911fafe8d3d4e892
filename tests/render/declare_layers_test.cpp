// Declaring a list's layers to the host.
#include <cstring>
#include <string>

#include "host/abi.h"
#include "layers/layer_record.h"
#include "render/blend_mode_key.h"
#include "render/declare_layers.h"
#include "render/host_component.h"
#include "render/layer_name.h"
#include "render_test.h"

namespace {

using namespace zu;

using hostsim::DeclaredName;

class DeclareLayersTest : public RenderTest {
 protected:
  const std::vector<LayerDeclaration>& Declarations() const { return services.Declarations(); }
  std::int32_t DeclaredId(std::size_t i) const { return services.DeclaredId(i); }
  std::int32_t Declare(std::int32_t edgeMask, std::int32_t nameMode = 0, std::int32_t first = 0, std::int32_t second = 0) {
    return DeclareLayers(list, services.declare(), DeclareOptions{edgeMask, nameMode, first, second});
  }
};

bool OnlyZeros(const std::uint8_t* bytes, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i)
    if (bytes[i] != 0) return false;
  return true;
}

// declFlags the host must see for a layer of kind, edge mask aside: every colour layer carries
// 0x1, the two packs 0x2 as well, and every layer the host fills itself (and any kind the plug-in
// does not know) 0x40; a mask carries none.
std::uint32_t FlagsOf(std::int32_t kind) {
  switch (kind) {
    case kDiffusePack: case kFinalRender: return 0x3;
    case kLights: case kShadows: case kAmbientGI: case kTransparency: return 0x1;
    case kMaskOf: return 0x0;
    default: return 0x41;
  }
}

// Each declaration carries its layer's own name, blend key and host component, whatever the kind
// table says they are; the flags, class and background follow the layer's kind.
TEST_F(DeclareLayersTest, EveryKindWithAndWithoutTheEdgeMask) {
  for (std::int32_t kind = kDiffusePack; kind <= kTransparency; ++kind) Add(kind);
  Add(kAmbientGI).option1 = 0;  // left to the host: declared with its component
  LayerRecord& outside = *AppendLayer(list, nullptr);
  outside.kind = 16;
  outside.blendMode = -5;
  SetLayerName(outside, "Sixteen");
  const std::size_t layers = std::size_t(list.count);

  for (std::int32_t edgeMask : {0, 7}) {
    services.ResetDeclarations();
    ASSERT_EQ(Declare(edgeMask, 0, 5, -6), 0);
    const std::size_t first = edgeMask ? 1 : 0;
    ASSERT_EQ(Declarations().size(), layers + first);
    for (std::size_t i = 0; i < Declarations().size(); ++i) {
      const LayerDeclaration& d = Declarations()[i];
      EXPECT_EQ(d.hostLayerId, 0) << "declaration " << i << ": the plug-in passes 0";
      EXPECT_EQ(d.outputPairFirst, 5) << "declaration " << i;
      EXPECT_EQ(d.outputPairSecond, -6) << "declaration " << i;
      EXPECT_TRUE(OnlyZeros(d.hostBytes, sizeof d.hostBytes)) << "declaration " << i;
      EXPECT_EQ(d.reserved84 | d.reserved156 | d.reserved160, 0u) << "declaration " << i;
      EXPECT_TRUE(OnlyZeros(reinterpret_cast<const std::uint8_t*>(d.reservedTail), sizeof d.reservedTail));
    }
    if (edgeMask) {
      const LayerDeclaration& edge = Declarations()[0];
      EXPECT_EQ(DeclaredName(edge), "Edge Mask");
      EXPECT_EQ(edge.declFlags, 0x101u);
      EXPECT_EQ(edge.layerClass, 10);
      EXPECT_EQ(edge.classParam, 0);
      EXPECT_EQ(edge.component, -1);
      EXPECT_EQ(edge.blendKey, FourCC("norm"));
      EXPECT_TRUE(OnlyZeros(edge.background, 4));
    }
    for (std::size_t i = 0; i < layers; ++i) {
      const LayerRecord& layer = list.items[i];
      const LayerDeclaration& d = Declarations()[first + i];
      const std::string context =
          "layer " + std::to_string(i) + " of kind " + std::to_string(layer.kind) + (edgeMask ? " with" : " without") +
          " the edge mask";
      EXPECT_EQ(DeclaredName(d), layer.name) << context;
      EXPECT_EQ(d.blendKey, BlendModeKey(layer.blendMode)) << context;
      const bool computedAmbient = layer.kind == kAmbientGI && layer.option1 != 0;
      EXPECT_EQ(d.component, computedAmbient ? -1 : KindToComponent(layer.kind)) << context;
      const bool mask = layer.kind == kMaskOf;
      EXPECT_EQ(d.declFlags, FlagsOf(layer.kind) | (edgeMask && !mask ? 0x200u : 0u)) << context;
      EXPECT_EQ(d.layerClass, mask ? 10 : 2) << context;
      EXPECT_EQ(d.classParam, mask ? layer.option1 : 4) << context << ": a mask's class parameter is its value";
      const std::uint8_t white[4] = {0, 255, 255, 255}, clear[4] = {0, 0, 0, 0};
      EXPECT_EQ(std::memcmp(d.background, layer.kind == kTransparency ? white : clear, 4), 0) << context;
      EXPECT_EQ(layer.hostLayerId, DeclaredId(first + i)) << context << ": the host's id is kept";
    }
  }
  // The host fills the two Ambient/GI layers differently, and the mask keeps its value.
  EXPECT_EQ(Declarations()[1 + kAmbientGI - 1].component, -1);
  EXPECT_EQ(Declarations()[1 + layers - 2].component, kComponentAmbient);
  EXPECT_EQ(Declarations()[1 + kMaskOf - 1].classParam, 32);
}

TEST_F(DeclareLayersTest, LayersThatAreOffAreSkippedAndKeepTheirIds) {
  EXPECT_EQ(Declare(0), 0) << "an empty list";
  EXPECT_TRUE(Declarations().empty());

  Add(kLights);
  Add(kShadows, kLayerOff).hostLayerId = -7;
  Add(kSpecular);
  ASSERT_EQ(Declare(0), 0);
  ASSERT_EQ(Declarations().size(), 2u);
  EXPECT_EQ(DeclaredName(Declarations()[1]), "Specular");
  EXPECT_EQ(list.items[1].hostLayerId, -7);
  EXPECT_EQ(list.items[2].hostLayerId, DeclaredId(1));
}

TEST_F(DeclareLayersTest, ARefusalStopsTheDeclaration) {
  for (std::int32_t kind : {kLights, kShadows, kSpecular, kFog}) Add(kind).hostLayerId = -kind;
  services.RefuseDeclarationNumber(3, 9);
  EXPECT_EQ(Declare(0), -1) << "whatever the host's code";
  EXPECT_EQ(Declarations().size(), 3u) << "nothing after the refused layer is declared";
  EXPECT_EQ(list.items[0].hostLayerId, DeclaredId(0));
  EXPECT_EQ(list.items[1].hostLayerId, DeclaredId(1));
  EXPECT_EQ(list.items[2].hostLayerId, -kSpecular);
  EXPECT_EQ(list.items[3].hostLayerId, -kFog);

  EXPECT_EQ(DeclareLayers(list, nullptr, DeclareOptions{0, 0, 0, 0}), -1) << "no callback";

  // A refused edge mask declares nothing else.
  services.ResetDeclarations();
  services.RefuseDeclarationNumber(1);
  EXPECT_EQ(Declare(1), -1);
  EXPECT_EQ(Declarations().size(), 1u);
}

TEST_F(DeclareLayersTest, NamesCarryTheBaseNameAndTheLongestIsCut) {
  SetBaseName(list, "_shot12");
  Add(kLights);
  SetLayerName(Add(kFog), std::string(70, 'f').c_str());
  ASSERT_EQ(Declare(0, kBaseNameLast), 0);
  EXPECT_EQ(DeclaredName(Declarations()[0]), "Lights_shot12");
  EXPECT_EQ(DeclaredName(Declarations()[1]), std::string(63, 'f'));
  EXPECT_STREQ(list.items[1].name, std::string(70, 'f').c_str()) << "the stored name is not changed";
  EXPECT_STREQ(list.baseName, "_shot12");
}

}  // namespace
