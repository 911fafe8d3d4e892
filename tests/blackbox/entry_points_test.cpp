// The entry points driven from outside, through the built library.
#include <cstring>
#include <string>

#include "blackbox/plugin_fixture.h"

using hostsim::EncodeParamBlock;
using hostsim::ParamWords;

TEST_F(PluginTest, InformationSetsItsBitAndKeepsTheOthers) {
  ShaderInfoRecord info = hostsim::MakeShaderInfoRecord(0x81u);
  EXPECT_EQ(zu().information(&info), 0);
  EXPECT_EQ(info.flags, 0x81u | 0x200000u);
  EXPECT_EQ(info.hostWords[0] | info.hostWords[1] | info.hostWords[2], 0u);
}

TEST_F(PluginTest, RenderingHostKeepsAnInstanceWithThePreparedDefaultList) {
  BecomeRenderingHost();
  const auto params = EncodeParamBlock({});
  ShaderRecord shader = Shader(params);
  shader.instance = reinterpret_cast<void*>(0x1234);  // whatever the host left there is replaced
  ASSERT_EQ(zu().initialize(&shader), 0);
  ASSERT_NE(shader.instance, nullptr);
  // The instance, its item array and the one surviving name ("Diffuse Pack"): the five layers
  // that are off in the default list were dropped with their names.
  EXPECT_EQ(memory.LiveBlockCount(), 3u);
  EXPECT_GE(memory.BlockSize(shader.instance), 0);
  EXPECT_NE(nullptr, memory.FindLiveString("Diffuse Pack"));
  EXPECT_EQ(nullptr, memory.FindLiveString("Shadows"));

  EXPECT_EQ(zu().finish(&shader), 0);
  EXPECT_EQ(shader.instance, nullptr) << "finish leaves the released instance in the record";
  EXPECT_EQ(memory.LiveBlockCount(), 0u);

  // A repeated finish with the same record releases nothing.
  EXPECT_EQ(zu().finish(&shader), 0);
  EXPECT_EQ(memory.BadFreeCount(), 0u);
}

TEST_F(PluginTest, InvalidParameterDataCreatesNothingAndAllocatesNothing) {
  BecomeRenderingHost();
  const auto good = EncodeParamBlock({});
  ParamWords badMagic;
  badMagic.magic = FourCC("LYES");
  ParamWords badVersion;
  badVersion.version = 2;
  const auto magicBytes = EncodeParamBlock(badMagic);
  const auto versionBytes = EncodeParamBlock(badVersion);
  std::uint8_t longer[37] = {};
  std::memcpy(longer, good.data(), 36);

  struct Case {
    const char* what;
    const std::uint8_t* data;
    std::uint32_t size;
  } cases[] = {{"35 bytes", good.data(), 35},           {"37 bytes", longer, 37},
               {"wrong magic", magicBytes.data(), 36}, {"version 2", versionBytes.data(), 36},
               {"no data", nullptr, 36},               {"no data, no size", nullptr, 0}};
  for (const Case& c : cases) {
    ShaderRecord shader = Shader(c.data, c.size);
    EXPECT_EQ(zu().initialize(&shader), 0) << c.what;
    EXPECT_EQ(shader.instance, nullptr) << c.what;
    EXPECT_EQ(memory.AllocationCount(), 0u) << c.what;
  }
}

TEST_F(PluginTest, RefusedInstanceAllocationReturnsOne) {
  BecomeRenderingHost();
  const auto params = EncodeParamBlock({});
  ShaderRecord shader = Shader(params);
  memory.FailAllocationNumber(1);
  EXPECT_EQ(zu().initialize(&shader), 1);
  EXPECT_EQ(shader.instance, nullptr);
  EXPECT_EQ(memory.LiveBlockCount(), 0u);
}

TEST_F(PluginTest, EveryRefusedAllocationDuringInitializeLeavesNoBlockBehind) {
  BecomeRenderingHost();
  const auto params = EncodeParamBlock({});
  for (std::uint32_t n = 1;; ++n) {
    memory.Reset();
    memory.FailAllocationNumber(n);
    ShaderRecord shader = Shader(params);
    const std::int32_t result = zu().initialize(&shader);
    const bool injected = memory.AllocationCount() >= n;
    // Only refusing the instance itself (the first block) fails the call.
    EXPECT_EQ(result, n == 1 ? 1 : 0) << "failing allocation " << n;
    zu().finish(&shader);
    EXPECT_EQ(memory.LiveBlockCount(), 0u) << "failing allocation " << n;
    EXPECT_EQ(memory.BadFreeCount(), 0u) << "failing allocation " << n;
    if (!injected) break;
  }
}

TEST_F(PluginTest, InterfaceRoleLoadsTheDialogListOnceAndUnloadReleasesIt) {
  // No ZUShaderHostInfo: the host code stays 0, which is the interface role.
  const auto params = EncodeParamBlock({});
  ShaderRecord shader = Shader(params);
  ASSERT_EQ(zu().initialize(&shader), 0);
  EXPECT_EQ(shader.instance, nullptr);
  // Item array and the six default names.
  ASSERT_EQ(memory.LiveBlockCount(), 7u);
  for (const char* name : {"Luminance", "Shadows", "Reflections", "RT Refractions", "Specular", "Diffuse Pack"})
    EXPECT_NE(nullptr, memory.FindLiveString(name)) << name;
  const std::uint32_t requests = memory.AllocationCount();

  // A second initialize while the list is loaded leaves it untouched.
  ShaderRecord again = Shader(params);
  ASSERT_EQ(zu().initialize(&again), 0);
  EXPECT_EQ(memory.AllocationCount(), requests);
  EXPECT_EQ(memory.LiveBlockCount(), 7u);

  InterfaceRecord dialog = hostsim::MakeInterfaceRecord(77, 5, nullptr);
  EXPECT_EQ(zu().interfaceSetup(&dialog), 0);

  Unload();  // the unload routine gives the list back through the host's release
  EXPECT_EQ(memory.LiveBlockCount(), 0u);
}

TEST_F(PluginTest, InterfaceRoleWithAnInvalidBlockLoadsNothing) {
  HostInfoRecord host = hostsim::MakeHostInfoRecord(FourCC("ZUAI"));
  ASSERT_EQ(zu().hostInfo(&host), 0);
  ParamWords words;
  words.version = 0;
  const auto params = EncodeParamBlock(words);
  ShaderRecord shader = Shader(params);
  EXPECT_EQ(zu().initialize(&shader), 0);
  EXPECT_EQ(memory.AllocationCount(), 0u);
}

TEST_F(PluginTest, CallsWithoutAnInstanceDoNothing) {
  InitLayersRecord layers = hostsim::MakeInitLayersRecord(nullptr, nullptr);
  EXPECT_EQ(zu().initLayers(&layers), 0);
  FillLayersRecord fill = hostsim::MakeFillLayersRecord(nullptr, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(zu().fillLayers(&fill), 0);
  ShaderRecord shader = Shader(nullptr, 0);
  EXPECT_EQ(zu().finish(&shader), 0);
  EXPECT_EQ(memory.AllocationCount(), 0u);
}

TEST_F(PluginTest, FinishRecordsTheAllocatorItIsGiven) {
  // An instance made with the host's pair is released through the pair the finish call carries.
  BecomeRenderingHost();
  const auto params = EncodeParamBlock({});
  ShaderRecord shader = Shader(params);
  ASSERT_EQ(zu().initialize(&shader), 0);
  ShaderRecord finish = Shader(nullptr, 0);
  finish.instance = shader.instance;
  EXPECT_EQ(zu().finish(&finish), 0);
  EXPECT_EQ(memory.LiveBlockCount(), 0u);
}
