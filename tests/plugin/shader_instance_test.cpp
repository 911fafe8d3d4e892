// Creating and releasing a render's shader instance.
#include "layers/layer_list.h"
#include "plugin/shader_instance.h"
#include "support/host_memory_test.h"

namespace {

using namespace zu;

using ShaderInstanceTest = HostMemoryTest;

TEST_F(ShaderInstanceTest, WithoutAStoredListTheInstanceHoldsThePreparedDefaultList) {
  ParamBlock params{};
  params.magic = 0x4C594552u;
  params.version = 1;
  params.nameMode = 3;
  bool allocationFailed = true;
  ShaderInstance* instance = CreateShaderInstance(params, allocationFailed);
  ASSERT_NE(instance, nullptr);
  EXPECT_FALSE(allocationFailed);
  EXPECT_EQ(instance->params.nameMode, 3);
  const LayerList& layers = instance->layers;
  ASSERT_EQ(layers.count, 1);
  EXPECT_STREQ(layers.items[0].name, "Diffuse Pack");
  EXPECT_EQ(layers.items[0].flags, 0x7F2u);
  EXPECT_EQ(layers.selectedId, -1);
  EXPECT_EQ(layers.baseName, nullptr);
  ReleaseShaderInstance(instance);
}

TEST_F(ShaderInstanceTest, RefusedAllocationsNeverLeaveBlocksBehind) {
  const ParamBlock params{0x4C594552u, 1, 0, 0, 0, 0, 0, 0, 0};
  bool allocationFailed = false;
  memory.FailAllocationNumber(1);
  EXPECT_EQ(CreateShaderInstance(params, allocationFailed), nullptr);
  EXPECT_TRUE(allocationFailed);
  EXPECT_EQ(memory.LiveBlockCount(), 0u);

  // The item array refused: the default list stays empty and the instance is not kept.
  memory.Reset();
  memory.FailAllocationsFrom(2);
  EXPECT_EQ(CreateShaderInstance(params, allocationFailed), nullptr);
  EXPECT_FALSE(allocationFailed);
  EXPECT_EQ(memory.LiveBlockCount(), 0u);
  ReleaseShaderInstance(nullptr);
}

}  // namespace
