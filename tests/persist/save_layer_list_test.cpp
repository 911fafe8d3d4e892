// Handing the serialized list to the host through a HostSetInfo double.
#include <cstring>

#include "host/stored_block_descriptor.h"
#include "persist/save_layer_list.h"
#include "stored_list_fixture.h"

namespace {

using namespace zu;

// What the double saw during its one call; the block is copied because it is released after.
struct SetInfoCall {
  int calls = 0;
  std::uint32_t dialog = 0;
  std::uint32_t code = 0;
  std::int32_t item = 0;
  StoredBlockDescriptor descriptor{};
  std::int64_t liveBlockSize = -1;
  std::vector<std::uint8_t> bytes;
};
SetInfoCall gSeen;
const hostsim::hooks::TestAllocator* gMemory = nullptr;  // the test's, for the double to look into

std::int32_t ZU_ABI RecordSetInfo(std::uint32_t dialog, std::uint32_t code, std::int32_t item, void* data) {
  ++gSeen.calls;
  gSeen.dialog = dialog;
  gSeen.code = code;
  gSeen.item = item;
  gSeen.descriptor = *static_cast<const StoredBlockDescriptor*>(data);
  gSeen.liveBlockSize = gMemory->BlockSize(gSeen.descriptor.data);
  gSeen.bytes.assign(gSeen.descriptor.data, gSeen.descriptor.data + gSeen.descriptor.size);
  return 0;
}

class SaveLayerListTest : public StoredListTest {
 protected:
  void SetUp() override {
    StoredListTest::SetUp();
    gSeen = SetInfoCall{};
    gMemory = &memory;
  }
};

TEST_F(SaveLayerListTest, HandsTheHostAMemoBlockForItemFourAndReleasesIt) {
  Append(kShadows, "Shadows");
  SaveLayerListToHost(list, 0xD1A1, &RecordSetInfo);
  ASSERT_EQ(gSeen.calls, 1);
  EXPECT_EQ(gSeen.dialog, 0xD1A1u);
  EXPECT_EQ(gSeen.code, 0x53455449u);
  EXPECT_EQ(gSeen.item, 4);
  EXPECT_EQ(gSeen.descriptor.size, 41);
  EXPECT_EQ(gSeen.descriptor.type, 0x4D454D4Fu);
  EXPECT_EQ(gSeen.liveBlockSize, 41) << "the block is a live host block of exactly the list's size";
  EXPECT_EQ(gSeen.bytes, Serialize(list));
  EXPECT_EQ(memory.BlockSize(gSeen.descriptor.data), -1) << "released once the host has its copy";
  EXPECT_EQ(memory.LiveBlockCount(), 2u) << "only the list's own blocks remain";
}

TEST_F(SaveLayerListTest, ARefusedBlockSkipsTheSave) {
  BuildDefaultLayerList(list);
  // The save makes exactly one allocation: refusing it hands nothing over, and the next one is
  // the save that goes through.
  for (std::uint32_t n = 1; n <= 2; ++n) {
    gSeen = SetInfoCall{};
    memory.FailAllocationNumber(memory.AllocationCount() + n);
    SaveLayerListToHost(list, 7, &RecordSetInfo);
    EXPECT_EQ(gSeen.calls, n == 1 ? 0 : 1) << "refusing allocation " << n << " of the save";
    EXPECT_EQ(memory.LiveBlockCount(), 7u) << "refusing allocation " << n << " of the save";
  }
  memory.FailAllocationNumber(0);
  ASSERT_TRUE(Load(gSeen.bytes));
  EXPECT_EQ(Names(list), kDefaultNames);
}

TEST_F(SaveLayerListTest, WithoutASetInfoServiceNothingIsSerialized) {
  Append(kFog, "Fog");
  const std::uint32_t requests = memory.AllocationCount();
  SaveLayerListToHost(list, 7, nullptr);
  EXPECT_EQ(memory.AllocationCount(), requests);
}

}  // namespace
