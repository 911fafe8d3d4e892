// Loading the host's stored list, and every way a load falls back to the default list.
#include "persist/layer_list_reader.h"
#include "persist/memory_stream.h"
#include "persist/stored_list_format.h"
#include "hostsim/records.h"
#include "stored_list_fixture.h"

using hostsim::HostAddress;

namespace {

using namespace zu;

const hostsim::StoredListBuilder kTwoLayers = hostsim::StoredListBuilder()
                                       .Header("Pass", 2)
                                       .Entry(kLights, 0x2, 8, 0, 0, 0, "Key light")
                                       .Entry(kSpecular, 0x1, 18, 0, 0, 0, "Highlights");

TEST_F(StoredListTest, LoadOrDefaultTakesTheStoredList) {
  const std::vector<std::uint8_t> block = kTwoLayers.InHostBlock();
  LoadLayerListOrDefault(list, HostAddress(block.data()));
  EXPECT_STREQ(list.baseName, "Pass");
  EXPECT_EQ(Names(list), "Key light,Highlights");
}

TEST_F(StoredListTest, EachUnreadableBlockFallsBackToTheDefaultList) {
  // A load that reads a base name first leaves it to the fallback to release.
  struct Case {
    const char* what;
    std::vector<std::uint8_t> bytes;
    std::uint32_t baseNameAllocations;
  } cases[] = {
      {"wrong magic", hostsim::StoredListBuilder().Word(0x4C594553u).Short("").Word(0).bytes(), 0},
      {"all zero", {}, 0},
      {"count FF FF FF FF", hostsim::StoredListBuilder().Header("", 0xFFFFFFFFu).bytes(), 1},
      {"count with only the sign bit", hostsim::StoredListBuilder().Header("x", 0x80000000u).Entry(1, 0, 0, 0, 0, 0, "a").bytes(), 1},
      // More layers than the rest of the host's block can hold, however short each is.
      {"count 0x7FFFFFFF", hostsim::StoredListBuilder().Header("", 0x7FFFFFFFu).bytes(), 1},
      {"count one past what fits",
       hostsim::StoredListBuilder().Header("", (hostsim::kStoredBlockBytes - 9) / 25 + 1).bytes(), 1},
  };
  for (const Case& c : cases) {
    const std::vector<std::uint8_t> block = hostsim::StoredListBuilder().Bytes(c.bytes).InHostBlock();
    memory.Reset();
    LoadLayerListOrDefault(list, HostAddress(block.data()));
    EXPECT_EQ(Names(list), kDefaultNames) << c.what;
    EXPECT_EQ(list.baseName, nullptr) << c.what;
    // The defaults take one item array and six names: no room was asked for the stored count.
    EXPECT_EQ(memory.AllocationCount(), c.baseNameAllocations + 7u) << c.what;
    ClearLayerList(list);
  }
  LoadLayerListOrDefault(list, 0);
  EXPECT_EQ(Names(list), kDefaultNames) << "no stored block";
}

TEST_F(StoredListTest, ALongestPossibleCountOfEmptyEntriesStillLoads) {
  // Every entry at its smallest: the count the reader allows at most, and the stream holds them.
  const std::int32_t count = (kStoredListReadLimit - 9) / kStoredEntryMinimumSize;
  std::vector<std::uint8_t> block = hostsim::StoredListBuilder().Header("", std::uint32_t(count)).InHostBlock();
  ASSERT_TRUE(LoadLayerListFromBlock(list, block.data()));
  EXPECT_EQ(list.count, count);
  EXPECT_EQ(list.items[count - 1].id, count);
  EXPECT_STREQ(list.items[count - 1].name, " ");
}

TEST_F(StoredListTest, AReadPastTheBoundFailsTheLoad) {
  // Long names run the entries past 1 MiB before the count is reached; the block ends exactly
  // at the bound, so a read beyond it would be caught by the sanitizer build.
  hostsim::StoredListBuilder bytes;
  bytes.Header("", 4000);
  while (bytes.bytes().size() < std::size_t(kStoredListReadLimit))
    bytes.Entry(kFog, 0, 0, 0, 0, 0, std::string(255, 'n'));
  std::vector<std::uint8_t> block(bytes.bytes().begin(), bytes.bytes().begin() + kStoredListReadLimit);
  ByteStream stream = MakeMemoryStream(block.data(), kStoredListReadLimit);
  EXPECT_FALSE(ReadLayerList(list, stream));
  EXPECT_EQ(stream.error, kStreamErrorReadPastEnd);
  EXPECT_GT(list.count, 3000) << "entries before the bound were read";
  ClearLayerList(list);

  LoadLayerListOrDefault(list, HostAddress(block.data()));
  EXPECT_EQ(Names(list), kDefaultNames);
}

TEST_F(StoredListTest, ALoadedListIsNotReloaded) {
  const std::vector<std::uint8_t> block = kTwoLayers.InHostBlock();
  BuildDefaultLayerList(list);
  const std::uint32_t requests = memory.AllocationCount();
  LoadLayerListOrDefault(list, HostAddress(block.data()));
  EXPECT_EQ(Names(list), kDefaultNames);
  EXPECT_EQ(memory.AllocationCount(), requests);
}

// Every allocation of a load refused in turn: the load fails and the defaults stand in, built
// with the allocations after the refused one.
TEST_F(StoredListTest, EveryRefusedAllocationOfALoadGivesTheDefaultList) {
  const std::vector<std::uint8_t> block = kTwoLayers.InHostBlock();
  // Base name, item array and two names.
  constexpr std::uint32_t kLoadAllocations = 4;
  for (std::uint32_t n = 1; n <= kLoadAllocations + 1; ++n) {
    memory.Reset();
    memory.FailAllocationNumber(n);
    LoadLayerListOrDefault(list, HostAddress(block.data()));
    if (n <= kLoadAllocations) {
      EXPECT_EQ(Names(list), kDefaultNames) << "refusing allocation " << n;
      EXPECT_EQ(list.baseName, nullptr) << "refusing allocation " << n;
      EXPECT_EQ(memory.LiveBlockCount(), 7u) << "refusing allocation " << n;
    } else {
      EXPECT_EQ(Names(list), "Key light,Highlights") << "no allocation refused";
      EXPECT_EQ(memory.AllocationCount(), kLoadAllocations);
    }
    ClearLayerList(list);
    EXPECT_EQ(memory.LiveBlockCount(), 0u) << "refusing allocation " << n;
  }
}

}  // namespace
