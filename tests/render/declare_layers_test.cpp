// Declaring a list's layers to the host.
#include <cstring>
#include <string>

#include "host/abi.h"
#include "layers/layer_record.h"
#include "render/declare_layers.h"
#include "render/layer_name.h"
#include "render_test.h"

namespace {

using hostsim::Declarations;
using hostsim::DeclaredId;
using hostsim::DeclaredName;

class DeclareLayersTest : public RenderTest {
 protected:
  std::int32_t Declare(std::int32_t edgeMask, std::int32_t nameMode = 0, std::int32_t first = 0, std::int32_t second = 0) {
    return DeclareLayers(list, &hostsim::HostSimDeclare, DeclareOptions{edgeMask, nameMode, first, second});
  }
};

// What the host must receive for one layer.
struct Expected {
  const char* name;
  std::uint32_t flagsWithoutEdge;
  std::uint32_t flagsWithEdge;
  std::int32_t layerClass;
  std::int32_t classParam;
  std::int32_t component;
  const char* blendKey;
  bool whiteBackground;
};

bool OnlyZeros(const std::uint8_t* bytes, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i)
    if (bytes[i] != 0) return false;
  return true;
}

TEST_F(DeclareLayersTest, EveryKindWithAndWithoutTheEdgeMask) {
  for (std::int32_t kind = kDiffusePack; kind <= kTransparency; ++kind) Add(kind);
  Add(kAmbientGI).option1 = 0;  // left to the host: declared with its component
  LayerRecord& outside = *AppendLayer(list, nullptr);
  outside.kind = 16;
  outside.blendMode = -5;
  SetLayerName(outside, "Sixteen");
  const Expected expected[] = {
      {"Diffuse Pack", 0x3, 0x203, 2, 4, -1, "norm", false},
      {"Lights", 0x1, 0x201, 2, 4, -1, "mul ", false},
      {"Shadows", 0x1, 0x201, 2, 4, -1, "mul ", false},
      {"Ambient/GI", 0x1, 0x201, 2, 4, -1, "lddg", false},
      {"Additives Pack", 0x41, 0x241, 2, 4, -1, "lddg", false},
      {"Specular", 0x41, 0x241, 2, 4, 4, "lddg", false},
      {"Luminance", 0x41, 0x241, 2, 4, 3, "lddg", false},
      {"Reflections", 0x41, 0x241, 2, 4, 6, "lddg", false},
      {"RT Reflections", 0x41, 0x241, 2, 4, -1, "lddg", false},
      {"Bitmap Reflections", 0x41, 0x241, 2, 4, 7, "lddg", false},
      {"RT Refractions", 0x41, 0x241, 2, 4, 8, "lddg", false},
      {"Final Render", 0x3, 0x203, 2, 4, 11, "diff", false},
      {"Fog", 0x41, 0x241, 2, 4, 10, "norm", false},
      {"Mask of #", 0x0, 0x0, 10, 32, -1, "norm", false},
      {"Transparency", 0x1, 0x201, 2, 4, 9, "norm", true},
      {"Ambient/GI", 0x1, 0x201, 2, 4, 5, "lddg", false},
      {"Sixteen", 0x41, 0x241, 2, 4, -1, "norm", false},
  };
  constexpr std::size_t kLayers = sizeof expected / sizeof expected[0];
  ASSERT_EQ(std::size_t(list.count), kLayers);

  for (std::int32_t edgeMask : {0, 7}) {
    hostsim::ResetDeclarations();
    ASSERT_EQ(Declare(edgeMask, 0, 5, -6), 0);
    const std::size_t first = edgeMask ? 1 : 0;
    ASSERT_EQ(Declarations().size(), kLayers + first);
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
    for (std::size_t i = 0; i < kLayers; ++i) {
      const Expected& e = expected[i];
      const LayerDeclaration& d = Declarations()[first + i];
      const std::string context = std::string(e.name) + (edgeMask ? " with" : " without") + " the edge mask";
      EXPECT_EQ(DeclaredName(d), e.name) << context;
      EXPECT_EQ(d.declFlags, edgeMask ? e.flagsWithEdge : e.flagsWithoutEdge) << context;
      EXPECT_EQ(d.layerClass, e.layerClass) << context;
      EXPECT_EQ(d.classParam, e.classParam) << context;
      EXPECT_EQ(d.component, e.component) << context;
      EXPECT_EQ(hostsim::FourCCText(d.blendKey), e.blendKey) << context;
      const std::uint8_t white[4] = {0, 255, 255, 255}, clear[4] = {0, 0, 0, 0};
      EXPECT_EQ(std::memcmp(d.background, e.whiteBackground ? white : clear, 4), 0) << context;
      EXPECT_EQ(list.items[i].hostLayerId, DeclaredId(first + i)) << context << ": the host's id is kept";
    }
  }
}

TEST_F(DeclareLayersTest, LayersThatAreOffAreSkippedAndKeepTheirIds) {
  EXPECT_EQ(Declare(0), 0) << "an empty list";
  EXPECT_TRUE(Declarations().empty());

  Add(kLights);
  Add(kShadows, LayerOff).hostLayerId = -7;
  Add(kSpecular);
  ASSERT_EQ(Declare(0), 0);
  ASSERT_EQ(Declarations().size(), 2u);
  EXPECT_EQ(DeclaredName(Declarations()[1]), "Specular");
  EXPECT_EQ(list.items[1].hostLayerId, -7);
  EXPECT_EQ(list.items[2].hostLayerId, DeclaredId(1));
}

TEST_F(DeclareLayersTest, ARefusalStopsTheDeclaration) {
  for (std::int32_t kind : {kLights, kShadows, kSpecular, kFog}) Add(kind).hostLayerId = -kind;
  hostsim::RefuseDeclarationNumber(3, 9);
  EXPECT_EQ(Declare(0), -1) << "whatever the host's code";
  EXPECT_EQ(Declarations().size(), 3u) << "nothing after the refused layer is declared";
  EXPECT_EQ(list.items[0].hostLayerId, DeclaredId(0));
  EXPECT_EQ(list.items[1].hostLayerId, DeclaredId(1));
  EXPECT_EQ(list.items[2].hostLayerId, -kSpecular);
  EXPECT_EQ(list.items[3].hostLayerId, -kFog);

  EXPECT_EQ(DeclareLayers(list, nullptr, DeclareOptions{0, 0, 0, 0}), -1) << "no callback";

  // A refused edge mask declares nothing else.
  hostsim::ResetDeclarations();
  hostsim::RefuseDeclarationNumber(1);
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
