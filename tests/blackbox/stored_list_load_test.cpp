// A stored layer list handed to ZUShaderInitialize, observed through the host blocks the built
// library keeps: the names it copies and the item array that points at them.
#include <cstring>
#include <string>
#include <vector>

#include "blackbox/plugin_fixture.h"
#include "hostsim/stored_list_form.h"

using hostsim::EncodeParamBlock;
using hostsim::ParamWords;

namespace {

// A layer as the host sees it in the item array: nine 32-bit words, the name's address last.
constexpr std::size_t kRecordBytes = 36;
constexpr std::size_t kNameWord = 8;

std::uint32_t WordAt(const void* block, std::size_t record, std::size_t word) {
  std::uint32_t value;
  std::memcpy(&value, static_cast<const std::uint8_t*>(block) + record * kRecordBytes + word * 4, 4);
  return value;
}

// The live block whose records, in order, point at these name blocks; none if there is none.
const void* ItemArrayFor(const hostsim::hooks::TestAllocator& memory, const std::vector<const void*>& names) {
  for (const void* block : memory.LiveBlocks()) {
    if (memory.BlockSize(block) < std::int64_t(names.size() * kRecordBytes)) continue;
    bool all = true;
    for (std::size_t i = 0; i < names.size() && all; ++i)
      all = WordAt(block, i, kNameWord) == hostsim::HostAddress(names[i]);
    if (all) return block;
  }
  return nullptr;
}

class StoredListLoadTest : public PluginTest {
 protected:
  // ZUShaderInitialize with a parameter block whose storedList points at the block.
  std::int32_t Initialize(ShaderRecord& shader, const std::vector<std::uint8_t>& block) {
    ParamWords words;
    words.storedList = hostsim::HostAddress(block.data());
    params_ = EncodeParamBlock(words);
    shader = Shader(params_);
    return zu().initialize(&shader);
  }

 private:
  hostsim::ParamBytes params_{};
};

TEST_F(StoredListLoadTest, RenderingRoleKeepsExactlyTheStoredLayersThatAreOn) {
  BecomeRenderingHost();
  const auto block = hostsim::StoredListBuilder()
                         .Header("Pass", 4)
                         .Entry(3, 0x2, 8, 1, 0, 0, "My shadows")
                         .Entry(6, 0x1, 18, 0, 0, 0, "Highlights")       // off: dropped before rendering
                         .Entry(2, 0x2, 8, 2, 0, 7, "Key light")   // shadow mode 2: without shadows
                         .Entry(13, 0x0, 0, 0, 0, 0, "")           // an empty name loads as " "
                         .InHostBlock();
  ShaderRecord shader{};
  ASSERT_EQ(Initialize(shader, block), 0);
  ASSERT_NE(shader.instance, nullptr);

  const std::vector<const void*> names = {memory.FindLiveString("My shadows"), memory.FindLiveString("Key light"),
                                          memory.FindLiveString(" ")};
  for (std::size_t i = 0; i < names.size(); ++i) ASSERT_NE(names[i], nullptr) << "name " << i;
  EXPECT_EQ(memory.FindLiveString("Highlights"), nullptr) << "the dropped layer's name is released";
  EXPECT_NE(memory.FindLiveString("Pass"), nullptr) << "the base name is kept for declaring";
  const void* items = ItemArrayFor(memory, names);
  ASSERT_NE(items, nullptr) << "no item array holds the three layers in stored order";
  // Instance, item array, three names and the base name.
  EXPECT_EQ(memory.LiveBlockCount(), 6u);

  // id, kind, flags, blend mode and the three options; ids are those of the load, 1 to 4,
  // and dropping a layer does not renumber the others.
  const std::uint32_t expected[3][7] = {{1, 3, 0x2, 8, 1, 0, 0}, {3, 2, 0x2, 8, 2, 0, 7}, {4, 13, 0x0, 0, 0, 0, 0}};
  for (std::size_t i = 0; i < 3; ++i)
    for (std::size_t w = 0; w < 7; ++w) EXPECT_EQ(WordAt(items, i, w), expected[i][w]) << "layer " << i << ", word " << w;

  EXPECT_EQ(zu().finish(&shader), 0);
  EXPECT_EQ(memory.LiveBlockCount(), 0u);
}

TEST_F(StoredListLoadTest, AStoredListWithEveryLayerOffOrNoneMakesNoInstance) {
  BecomeRenderingHost();
  // The single "Shadows" layer as the dialog stores it, switched off; and the empty list.
  const std::vector<std::uint8_t> shadowsOff = {0x4C, 0x59, 0x45, 0x52, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00,
                                                0x00, 0x03, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x08, 0x00,
                                                0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                                0x07, 'S',  'h',  'a',  'd',  'o',  'w',  's'};
  const std::vector<std::uint8_t> empty = {0x4C, 0x59, 0x45, 0x52, 0x00, 0x00, 0x00, 0x00, 0x00};
  for (const auto* bytes : {&shadowsOff, &empty}) {
    const std::vector<std::uint8_t> block = hostsim::StoredListBuilder().Bytes(*bytes).InHostBlock();
    memory.Reset();
    ShaderRecord shader{};
    EXPECT_EQ(Initialize(shader, block), 0) << bytes->size() << "-byte list";
    EXPECT_EQ(shader.instance, nullptr) << bytes->size() << "-byte list";
    EXPECT_GT(memory.AllocationCount(), 0u) << bytes->size() << "-byte list";
    EXPECT_EQ(memory.LiveBlockCount(), 0u) << bytes->size() << "-byte list";
  }
}

TEST_F(StoredListLoadTest, AnUnreadableStoredListRendersTheDefaultList) {
  BecomeRenderingHost();
  const auto block = hostsim::StoredListBuilder().Header("Pass", 0xFFFFFFFFu).InHostBlock();
  ShaderRecord shader{};
  ASSERT_EQ(Initialize(shader, block), 0);
  ASSERT_NE(shader.instance, nullptr);
  // Of the default list only "Diffuse Pack" is on; the stored base name went with the failed load.
  EXPECT_NE(memory.FindLiveString("Diffuse Pack"), nullptr);
  EXPECT_EQ(memory.FindLiveString("Pass"), nullptr);
  EXPECT_EQ(memory.LiveBlockCount(), 3u) << "instance, item array and name";
  zu().finish(&shader);
}

TEST_F(StoredListLoadTest, InterfaceRoleLoadsEveryStoredLayerIntoTheDialogList) {
  const auto block = hostsim::StoredListBuilder()
                         .Header("Pass", 2)
                         .Entry(6, 0x1, 18, 0, 0, 0, "Highlights")
                         .Entry(1, 0x2, 0, 0, 0, 0, "Diffuse")
                         .InHostBlock();
  ShaderRecord shader{};
  ASSERT_EQ(Initialize(shader, block), 0);
  EXPECT_EQ(shader.instance, nullptr);
  // The dialog edits layers that are off too: nothing is dropped.
  const void* items = ItemArrayFor(memory, {memory.FindLiveString("Highlights"), memory.FindLiveString("Diffuse")});
  ASSERT_NE(items, nullptr);
  EXPECT_EQ(WordAt(items, 0, 0), 1u);
  EXPECT_EQ(WordAt(items, 1, 0), 2u);
  EXPECT_NE(memory.FindLiveString("Pass"), nullptr);
  EXPECT_EQ(memory.LiveBlockCount(), 4u);
  Unload();
  EXPECT_EQ(memory.LiveBlockCount(), 0u);
}

TEST_F(StoredListLoadTest, EveryRefusedAllocationWhileLoadingLeavesNoBlockBehind) {
  BecomeRenderingHost();
  const auto block = hostsim::StoredListBuilder()
                         .Header("Pass", 2)
                         .Entry(2, 0x2, 8, 0, 0, 0, "Key light")
                         .Entry(1, 0x2, 0, 0, 0, 0, "Diffuse")
                         .InHostBlock();
  for (std::uint32_t n = 1;; ++n) {
    memory.Reset();
    memory.FailAllocationNumber(n);
    ShaderRecord shader{};
    const std::int32_t result = Initialize(shader, block);
    const bool injected = memory.AllocationCount() >= n;
    EXPECT_EQ(result, n == 1 ? 1 : 0) << "refusing allocation " << n;
    // Past the instance every block is the load's: a refusal gives the prepared default list instead.
    if (n > 1) {
      EXPECT_NE(memory.FindLiveString(injected ? "Diffuse Pack" : "Key light"), nullptr)
          << "refusing allocation " << n;
      EXPECT_NE(shader.instance, nullptr) << "refusing allocation " << n;
    }
    zu().finish(&shader);
    EXPECT_EQ(memory.LiveBlockCount(), 0u) << "refusing allocation " << n;
    EXPECT_EQ(memory.BadFreeCount(), 0u) << "refusing allocation " << n;
    if (!injected) break;
  }
}

}  // namespace
