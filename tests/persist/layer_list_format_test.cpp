// The stored form of a layer list: exact bytes, round trips, name limits and renumbering.
#include <cstring>

#include "persist/layer_list_reader.h"
#include "persist/memory_stream.h"
#include "stored_list_fixture.h"

namespace {

using namespace zu;

using LayerListFormatTest = StoredListTest;

const std::vector<std::uint8_t> kShadowsList = {
    0x4C, 0x59, 0x45, 0x52,                          // magic
    0x00,                                            // no base name
    0x00, 0x00, 0x00, 0x01,                          // one layer
    0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x03,  // kind, flags
    0x00, 0x00, 0x00, 0x08, 0x00, 0x00, 0x00, 0x01,  // blend mode, option1
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // option2, option3
    0x07, 'S', 'h', 'a', 'd', 'o', 'w', 's'};

const std::vector<std::uint8_t> kEmptyList = {0x4C, 0x59, 0x45, 0x52, 0x00, 0x00, 0x00, 0x00, 0x00};

TEST_F(LayerListFormatTest, OneShadowsLayerIsStoredAsFortyOneBytes) {
  Append(kShadows, "Shadows");
  ASSERT_EQ(kShadowsList.size(), 41u);
  EXPECT_EQ(Serialize(list), kShadowsList);
}

TEST_F(LayerListFormatTest, AnEmptyListIsStoredAsNineBytes) {
  EXPECT_EQ(Serialize(list), kEmptyList);
}

TEST_F(LayerListFormatTest, TheShadowsBytesLoadWithASpaceForTheMissingBaseName) {
  ASSERT_TRUE(Load(kShadowsList));
  EXPECT_STREQ(list.baseName, " ");
  ASSERT_EQ(list.count, 1);
  const LayerRecord& r = list.items[0];
  EXPECT_EQ(r.id, 1);
  EXPECT_EQ(r.kind, 3);
  EXPECT_EQ(r.flags, 3u);
  EXPECT_EQ(r.blendMode, 8);
  EXPECT_EQ(r.option1, 1);
  EXPECT_EQ(r.option2, 0);
  EXPECT_EQ(r.option3, 0);
  EXPECT_STREQ(r.name, "Shadows");
  EXPECT_EQ(list.nextId, 2);
  EXPECT_EQ(list.selectedId, -1) << "the dialog's selection is not stored";
}

TEST_F(LayerListFormatTest, TheNineBytesLoadAsAListWithoutItemsOrBaseName) {
  list.selectedId = 4;
  ASSERT_TRUE(Load(hostsim::StoredListBuilder().Header("Pass", 0).bytes())) << "a stored base name is dropped with no layers";
  EXPECT_EQ(list.baseName, nullptr);
  ASSERT_TRUE(Load(kEmptyList));
  EXPECT_EQ(list.count, 0);
  EXPECT_EQ(list.capacity, 0);
  EXPECT_EQ(list.items, nullptr);
  EXPECT_EQ(list.baseName, nullptr);
  EXPECT_EQ(list.nextId, 1);
  EXPECT_EQ(list.selectedId, 4);
}

TEST_F(LayerListFormatTest, EveryStoredFieldSurvivesARoundTripUnchecked) {
  SetBaseName(list, "Shot 12");
  LayerRecord& a = Append(kMaskOf, "Mask of cars");
  a.flags = 0xFFFF0009u;  // bits the plug-in does not name are kept
  a.blendMode = -7;
  a.option2 = 0x7FFFFFFF;
  a.option3 = -1;
  LayerRecord& b = Append(kDiffusePack, "Diffuse");
  b.kind = 99;  // no kind has this number: stored and loaded as it is
  b.option1 = 2;
  b.hostLayerId = 41;
  Append(kLights, nullptr);

  LayerList copy = EmptyLayerList();
  std::swap(copy, list);
  ASSERT_TRUE(Load(Serialize(copy)));
  EXPECT_STREQ(list.baseName, "Shot 12");
  ASSERT_EQ(list.count, copy.count);
  for (std::int32_t i = 0; i < list.count; ++i) {
    const LayerRecord& in = list.items[i];
    const LayerRecord& out = copy.items[i];
    EXPECT_EQ(in.kind, out.kind) << "layer " << i;
    EXPECT_EQ(in.flags, out.flags) << "layer " << i;
    EXPECT_EQ(in.blendMode, out.blendMode) << "layer " << i;
    EXPECT_EQ(in.option1, out.option1) << "layer " << i;
    EXPECT_EQ(in.option2, out.option2) << "layer " << i;
    EXPECT_EQ(in.option3, out.option3) << "layer " << i;
  }
  EXPECT_EQ(Names(list), "Mask of cars,Diffuse, ") << "a layer without a name comes back as a space";
  EXPECT_EQ(list.items[1].hostLayerId, 0) << "the host's layer id is not stored";
  ClearLayerList(copy);
}

TEST_F(LayerListFormatTest, IdsAreRenumberedInStoredOrder) {
  Append(kFog, "five").id = 5;
  Append(kFog, "two").id = 2;
  Append(kFog, "nine").id = 9;
  LayerList copy = EmptyLayerList();
  std::swap(copy, list);
  ASSERT_TRUE(Load(Serialize(copy)));
  ClearLayerList(copy);
  ASSERT_EQ(list.count, 3);
  EXPECT_EQ(Names(list), "five,two,nine");
  for (std::int32_t i = 0; i < 3; ++i) EXPECT_EQ(list.items[i].id, i + 1) << "layer " << i;
  EXPECT_EQ(list.nextId, 4);
}

TEST_F(LayerListFormatTest, NamesAreStoredWithAtMost64Characters) {
  for (std::size_t length : {63u, 64u, 65u, 70u, 300u}) {
    std::string text;
    for (std::size_t i = 0; i < length; ++i) text += char('a' + i % 26);
    const std::size_t kept = length < 64 ? length : 64;
    SetBaseName(list, text.c_str());
    Append(kFog, text.c_str());
    const std::vector<std::uint8_t> bytes = Serialize(list);
    ClearLayerList(list);
    ASSERT_GE(bytes.size(), 5 + kept) << length << " characters";
    EXPECT_EQ(bytes[4], kept) << length << " characters";
    EXPECT_EQ(bytes.size(), 4 + 1 + kept + 4 + 24 + 1 + kept) << length << " characters";
    ASSERT_TRUE(Load(bytes)) << length << " characters";
    EXPECT_EQ(std::string(list.baseName), text.substr(0, kept)) << length << " characters";
    ASSERT_EQ(list.count, 1);
    EXPECT_EQ(std::string(list.items[0].name), text.substr(0, kept)) << length << " characters";
    ClearLayerList(list);
  }
}

TEST_F(LayerListFormatTest, AnEmptyStoredNameLoadsAsASpaceAndIsSavedAsOne) {
  Append(kFog, "");
  const std::vector<std::uint8_t> empty = Serialize(list);
  ASSERT_EQ(empty.size(), 34u);
  EXPECT_EQ(empty.back(), 0x00) << "an empty name is stored with length 0";
  ASSERT_TRUE(Load(empty));
  EXPECT_STREQ(list.items[0].name, " ");
  const std::vector<std::uint8_t> again = Serialize(list);
  ASSERT_EQ(again.size(), 36u);
  EXPECT_EQ(again[4], 0x01) << "the base name, loaded as a space";
  EXPECT_EQ(again[5], ' ');
  EXPECT_EQ(again[34], 0x01);
  EXPECT_EQ(again[35], ' ');
}

TEST_F(LayerListFormatTest, StoredNamesKeepEveryByteUpTo255) {
  std::string name(255, 'x');
  name[0] = '\xE9';  // no conversion of the character bytes
  ASSERT_TRUE(Load(hostsim::StoredListBuilder().Header("b", 1).Entry(1, 0, 0, 0, 0, 0, name).bytes()));
  ASSERT_EQ(list.count, 1);
  EXPECT_EQ(std::string(list.items[0].name), name);
}

TEST_F(LayerListFormatTest, ReadingAnEntryReplacesItsNameAndKeepsTheHostLayer) {
  LayerRecord& record = Append(kFog, "old name");
  record.hostLayerId = 12;
  const auto bytes = hostsim::StoredListBuilder().Entry(6, 0x11, 18, 0, 0, 0, "Specular").bytes();
  ByteStream stream = MakeMemoryStream(const_cast<std::uint8_t*>(bytes.data()), std::int32_t(bytes.size()));
  ASSERT_TRUE(ReadLayerEntry(record, stream));
  EXPECT_EQ(record.id, 0);
  EXPECT_EQ(record.kind, 6);
  EXPECT_EQ(record.hostLayerId, 12);
  EXPECT_STREQ(record.name, "Specular");
  EXPECT_EQ(stream.cursor, stream.end);
}

TEST_F(LayerListFormatTest, AStreamThatEndsAnywhereInsideTheListFailsTheRead) {
  std::vector<std::uint8_t> bytes = hostsim::StoredListBuilder().Header("Base", 2).bytes();
  bytes.insert(bytes.end(), kShadowsList.begin() + 9, kShadowsList.end());
  bytes.insert(bytes.end(), kShadowsList.begin() + 9, kShadowsList.end());
  for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
    ByteStream stream = MakeMemoryStream(bytes.data(), std::int32_t(cut));
    const bool read = ReadLayerList(list, stream);
    EXPECT_EQ(read, cut == bytes.size()) << "stream of " << cut << " bytes";
    ClearLayerList(list);
  }
}

TEST_F(LayerListFormatTest, ANameIsNotAllocatedOnceTheStreamHasFailed) {
  std::uint8_t block[1] = {5};
  ByteStream stream = MakeMemoryStream(block, 1);
  stream.error = kStreamErrorReadPastEnd;
  EXPECT_EQ(ReadShortString(stream), nullptr);
  EXPECT_EQ(memory.AllocationCount(), 0u);
  ByteStream truncated = MakeMemoryStream(block, 1);  // length 5, no characters follow
  EXPECT_EQ(ReadShortString(truncated), nullptr);
  EXPECT_EQ(truncated.error, kStreamErrorReadPastEnd);
  EXPECT_EQ(memory.LiveBlockCount(), 0u);
}

}  // namespace
