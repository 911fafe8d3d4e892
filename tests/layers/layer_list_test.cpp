// The layer record, the kind table and the list operations.
#include <cstring>
#include <string>
#include <vector>

#include "host/blend_mode.h"
#include "layers/host_string.h"
#include "layers/layer_kind_table.h"
#include "layers/layer_list.h"
#include "support/host_memory_test.h"

namespace {

using namespace zu;

class LayerListTest : public HostMemoryTest {
 protected:
  void TearDown() override {
    ClearLayerList(list);
    HostMemoryTest::TearDown();
  }

  LayerRecord& Append(std::int32_t kind) {
    LayerRecord* record = AppendLayer(list, FindKindRow(kind));
    EXPECT_NE(record, nullptr);
    return *record;
  }

  std::vector<std::int32_t> Ids() const {
    std::vector<std::int32_t> ids;
    for (std::int32_t i = 0; i < list.count; ++i) ids.push_back(list.items[i].id);
    return ids;
  }

  LayerList list = EmptyLayerList();
};

TEST(LayerKindTable, FindsEveryKindByItsNumberAndNothingElse) {
  for (std::int32_t kind = 1; kind <= kKindCount; ++kind) {
    ASSERT_NE(FindKindRow(kind), nullptr) << "kind " << kind;
    EXPECT_EQ(FindKindRow(kind)->kind, kind);
    EXPECT_EQ(&KindRow(kind - 1), FindKindRow(kind)) << "the kind menu's item " << kind;
  }
  for (std::int32_t outside : {0, -1, kKindCount + 1}) EXPECT_EQ(FindKindRow(outside), nullptr) << outside;
}

TEST_F(LayerListTest, NewLayersStackAsTheirKindsDo) {
  for (std::int32_t kind = 1; kind <= kKindCount; ++kind) {
    const LayerRecord& record = Append(kind);
    std::int32_t blend = kBlendLinearDodge;  // light added onto the stack
    if (kind == kLights || kind == kShadows) blend = kBlendMultiply;  // they scale what lies beneath
    if (kind == kFinalRender) blend = kBlendDifference;  // the check layer: black where the stack matches
    if (kind == kDiffusePack || kind == kFog || kind == kMaskOf || kind == kTransparency) blend = kBlendNormal;
    EXPECT_EQ(record.blendMode, blend) << "kind " << kind;
    EXPECT_EQ((record.flags & kLayerOff) == 0, kind == kDiffusePack) << "only the pack renders unasked; kind " << kind;
    EXPECT_EQ(record.flags & kAdditiveMask, kind == kAdditivesPack ? std::uint32_t{kAdditiveMask} : 0u)
        << "a manual pack starts with every component; kind " << kind;
    EXPECT_EQ((record.flags & kLayerCarried) != 0, kind <= kShadows) << "as the lists saved so far hold; kind " << kind;
    EXPECT_STREQ(record.name, kKindNames[kind]) << "named as the kind menu names it";
  }
}

TEST_F(LayerListTest, NewRecordsTakeTheirKindsOptionsAndStartWithoutAHostLayer) {
  for (std::int32_t kind = 1; kind <= kKindCount; ++kind) {
    LayerRecord& record = Append(kind);
    const std::int32_t option1 = kind == kShadows || kind == kAmbientGI ? 1 : kind == kMaskOf ? 32 : 0;
    EXPECT_EQ(record.option1, option1) << "kind " << kind;
    EXPECT_EQ(record.option2, 0) << "kind " << kind;
    EXPECT_EQ(record.option3, 0) << "kind " << kind;
    EXPECT_EQ(record.hostLayerId, 0) << "kind " << kind;
    EXPECT_STREQ(record.name, KindRow(kind - 1).name);
  }
  // A slot reused after a removal holds the old record's bytes; the new record must not inherit them.
  list.items[list.count - 1].hostLayerId = 99;
  RemoveLayerById(list, list.items[list.count - 1].id);
  LayerRecord& empty = *AppendLayer(list, nullptr);
  EXPECT_EQ(empty.hostLayerId, 0);
  EXPECT_EQ(empty.kind, kNoKind);
  EXPECT_EQ(empty.flags, 0u);
  EXPECT_EQ(empty.name, nullptr);
  EXPECT_EQ(empty.id, 16);
}

TEST_F(LayerListTest, GrowsBy16Then34KeepingRecordsInPlace) {
  for (int i = 0; i < 16; ++i) Append(kSpecular);
  EXPECT_EQ(list.capacity, 16);
  EXPECT_EQ(memory.BlockSize(list.items), std::int64_t{16 * sizeof(LayerRecord)});
  const char* firstName = list.items[0].name;
  Append(kLights);
  EXPECT_EQ(list.capacity, 34);
  EXPECT_EQ(memory.BlockSize(list.items), std::int64_t{34 * sizeof(LayerRecord)});
  EXPECT_EQ(list.count, 17);
  EXPECT_EQ(list.items[0].name, firstName);
  for (std::int32_t i = 0; i < 17; ++i) EXPECT_EQ(list.items[i].id, i + 1);
  EXPECT_STREQ(list.items[16].name, "Lights");
}

TEST_F(LayerListTest, RemovingKeepsOrderAndNeverReusesAnId) {
  Append(kLights);
  Append(kShadows);
  Append(kSpecular);
  const std::size_t blocks = memory.LiveBlockCount();
  RemoveLayerById(list, 2);
  EXPECT_EQ(Ids(), (std::vector<std::int32_t>{1, 3}));
  EXPECT_STREQ(list.items[1].name, "Specular");
  EXPECT_EQ(memory.LiveBlockCount(), blocks - 1) << "the removed record's name is released";
  EXPECT_EQ(list.nextId, 4);
  EXPECT_EQ(Append(kFog).id, 4);

  // Unknown ids and ids of 0 or less change nothing.
  for (std::int32_t id : {0, -1, 2, 99}) RemoveLayerById(list, id);
  EXPECT_EQ(Ids(), (std::vector<std::int32_t>{1, 3, 4}));
  RemoveLayerById(list, 4);  // the last record
  EXPECT_EQ(Ids(), (std::vector<std::int32_t>{1, 3}));
}

TEST_F(LayerListTest, LookupsScanFromTheFrontAndIgnoreIdsBelowOne) {
  EXPECT_EQ(IndexOfLayerId(list, 1), -1);  // unloaded list
  Append(kShadows).flags |= kLayerOff;
  Append(kLights);
  Append(kShadows).flags &= ~std::uint32_t{kLayerOff};
  list.items[1].id = 0;
  EXPECT_EQ(IndexOfLayerId(list, 0), -1);
  EXPECT_EQ(FindLayerById(list, 0), nullptr);
  EXPECT_EQ(IndexOfLayerId(list, 3), 2);
  EXPECT_EQ(FindLayerById(list, 3), &list.items[2]);
  EXPECT_EQ(IndexOfLayerId(list, 7), -1);

  EXPECT_EQ(FindEnabledLayerOfKind(list, kShadows), &list.items[2]);
  list.items[2].id = 1;  // duplicate id: the first match wins
  EXPECT_EQ(IndexOfLayerId(list, 1), 0);
  EXPECT_EQ(FindEnabledLayerOfKind(list, kFog), nullptr);
}

TEST_F(LayerListTest, ClearingReleasesEverythingButKeepsTheSelection) {
  Append(kLights);
  SetBaseName(list, "shot_");
  list.selectedId = 1;
  ClearLayerList(list);
  EXPECT_EQ(list.count, 0);
  EXPECT_EQ(list.capacity, 0);
  EXPECT_EQ(list.nextId, 1);
  EXPECT_EQ(list.items, nullptr);
  EXPECT_EQ(list.baseName, nullptr);
  EXPECT_EQ(list.selectedId, 1);
  EXPECT_EQ(memory.LiveBlockCount(), 0u);
}

TEST_F(LayerListTest, DefaultListReplacesWhatTheListHeld) {
  Append(kFog);
  Append(kMaskOf);
  SetBaseName(list, "old");
  BuildDefaultLayerList(list);
  const char* names[] = {"Luminance", "Shadows", "Reflections", "RT Refractions", "Specular", "Diffuse Pack"};
  ASSERT_EQ(list.count, 6);
  for (std::int32_t i = 0; i < 6; ++i) {
    EXPECT_STREQ(list.items[i].name, names[i]);
    EXPECT_EQ(list.items[i].id, i + 1);
    EXPECT_EQ((list.items[i].flags & kLayerOff) != 0, i < 5) << names[i];
  }
  EXPECT_EQ(list.items[1].option1, 1);
  EXPECT_EQ(list.nextId, 7);
  EXPECT_EQ(list.baseName, nullptr);
  EXPECT_EQ(memory.LiveBlockCount(), 7u) << "item array and six names; the old ones are gone";
}

TEST_F(LayerListTest, RefusedAllocationsLeaveTheListConsistent) {
  // The array cannot be had: nothing is appended and the list stays unloaded.
  memory.FailAllocationNumber(1);
  EXPECT_EQ(AppendLayer(list, FindKindRow(kFog)), nullptr);
  EXPECT_EQ(list.count, 0);
  EXPECT_EQ(list.items, nullptr);
  EXPECT_EQ(list.nextId, 1);

  // The name cannot be copied: the record is still added, without a name.
  memory.Reset();
  memory.FailAllocationNumber(2);
  LayerRecord* record = AppendLayer(list, FindKindRow(kFog));
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->name, nullptr);
  EXPECT_EQ(record->kind, kFog);

  // The default list goes on past a refused name.
  memory.FailAllocationNumber(memory.AllocationCount() + 3);
  BuildDefaultLayerList(list);
  EXPECT_EQ(list.count, 6);
  EXPECT_EQ(list.items[1].name, nullptr);
  EXPECT_STREQ(list.items[2].name, "Reflections");

  // Growth refused at the seventeenth append: the list keeps its 16 records and its array.
  for (int i = 0; i < 10; ++i) Append(kFog);
  LayerRecord* const items = list.items;
  memory.FailAllocationNumber(memory.AllocationCount() + 1);
  EXPECT_EQ(AppendLayer(list, FindKindRow(kFog)), nullptr);
  EXPECT_EQ(list.count, 16);
  EXPECT_EQ(list.capacity, 16);
  EXPECT_EQ(list.items, items);
  EXPECT_EQ(list.nextId, 17);
}

TEST_F(LayerListTest, SizesBeyond32BitsFailWithoutAskingTheHost) {
  EXPECT_FALSE(ReserveLayers(list, 0x7FFFFFFF));
  EXPECT_FALSE(ReserveLayers(list, 0x071C71C8));  // 36 bytes each: one record past 4 GiB
  EXPECT_EQ(memory.AllocationCount(), 0u);
  EXPECT_EQ(list.items, nullptr);

  // A list at the edge of the 32-bit count cannot double; nothing is written or requested.
  LayerRecord only{};
  for (std::int32_t count : {0x3FFFFFFF, 0x3FFFFFFE}) {
    LayerList full{count, count, 5, -1, &only, nullptr};
    EXPECT_EQ(AppendLayer(full, FindKindRow(kFog)), nullptr) << count;
    EXPECT_EQ(full.count, count);
    EXPECT_EQ(full.items, &only);
  }
  EXPECT_EQ(memory.AllocationCount(), 0u);
}

TEST_F(LayerListTest, ReserveSizesTheArrayAndZeroClears) {
  EXPECT_TRUE(ReserveLayers(list, -3));
  EXPECT_EQ(list.capacity, 16);
  Append(kFog);
  EXPECT_TRUE(ReserveLayers(list, 40));
  EXPECT_EQ(list.capacity, 40);
  EXPECT_STREQ(list.items[0].name, "Fog");
  SetBaseName(list, "b");
  EXPECT_TRUE(ReserveLayers(list, 0));
  EXPECT_EQ(list.items, nullptr);
  EXPECT_EQ(list.baseName, nullptr);
  EXPECT_EQ(memory.LiveBlockCount(), 0u);
}

TEST_F(LayerListTest, NamesAreReplacedByReleaseThenCopy) {
  LayerRecord& record = Append(kLights);
  EXPECT_STREQ(SetLayerName(record, "Key light"), "Key light");
  EXPECT_EQ(SetLayerName(record, nullptr), nullptr);
  EXPECT_EQ(record.name, nullptr);
  EXPECT_STREQ(SetBaseName(list, "shot_"), "shot_");
  EXPECT_STREQ(SetBaseName(list, "shot2_"), "shot2_");
  EXPECT_EQ(memory.LiveBlockCount(), 2u) << "item array and the base name";

  char* empty = CopyHostString("");
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(memory.BlockSize(empty), 1);
  EXPECT_EQ(empty[0], '\0');
  HostRelease(empty);
  EXPECT_EQ(CopyHostString(nullptr), nullptr);
}

TEST_F(LayerListTest, FlagsIdsAndRenumbering) {
  LayerRecord& a = Append(kLights);
  SetLayerFlags(a, kLayerOff | kLayerMarked, true);
  EXPECT_EQ(a.flags, 0x3u | 0x8u);
  SetLayerFlags(a, kLayerOff, false);
  EXPECT_EQ(a.flags, 0x2u | 0x8u);

  Append(kFog);
  Append(kFog);
  RemoveLayerById(list, 2);
  EXPECT_EQ(RenumberLayers(list), 3);
  EXPECT_EQ(Ids(), (std::vector<std::int32_t>{1, 2}));

  LayerRecord low{}, high{};
  low.id = 2;
  high.id = 9;
  EXPECT_EQ(CompareLayerIds(low, high), -1);
  EXPECT_EQ(CompareLayerIds(high, low), 1);
  EXPECT_EQ(CompareLayerIds(low, low), 0);
}

}  // namespace
