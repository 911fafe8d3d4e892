// The host's dialog toolkit and stored list keeping, which the dialog tests rely on.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <vector>

#include "host/layers_dialog_resource.h"
#include "host/stored_block_descriptor.h"
#include "hostsim/hooks/test_dialog_session.h"
#include "hostsim/stored_block.h"
#include "hostsim/stored_list_form.h"

// The exported dialog functions, as the plug-in finds them.
extern "C" {
std::int32_t ZU_ABI ZU_GetEditTextString(ControlRef control, char* text, std::int32_t* length);
ControlRef ZU_ABI ZU_FindControlByID(DialogRef dialog, std::int32_t id);
std::int32_t ZU_ABI ZU_CountListItems(ControlRef list);
std::int32_t ZU_ABI ZU_InsertListItemEx(ControlRef list, std::int32_t row, const char* text, std::int32_t itemId,
                                        std::int32_t rowFlags, std::int32_t reserved1, std::int32_t reserved2);
}

namespace {

// A list with no base name and one "Shadows" layer, as the plug-in stores it.
const std::vector<std::uint8_t> kOneLayer = {0x4C, 0x59, 0x45, 0x52, 0x00, 0, 0, 0, 1, 0, 0, 0, 3, 0, 0, 0, 3, 0, 0, 0,
                                             8, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 7, 'S', 'h', 'a', 'd', 'o', 'w', 's'};

TEST(StoredListDecoder, ReadsExactlyOneStoredList) {
  const auto list = hostsim::DecodeStoredList(kOneLayer.data(), kOneLayer.size());
  ASSERT_TRUE(list.has_value());
  EXPECT_EQ(list->baseName, "");
  ASSERT_EQ(list->layers.size(), 1u);
  const hostsim::StoredLayer& layer = list->layers[0];
  EXPECT_EQ(layer.kind, 3);
  EXPECT_EQ(layer.flags, 3u);
  EXPECT_EQ(layer.blendMode, 8);
  EXPECT_EQ(layer.option1, 1);
  EXPECT_EQ(layer.name, "Shadows");

  EXPECT_FALSE(hostsim::DecodeStoredList(kOneLayer.data(), kOneLayer.size() - 1)) << "cut short";
  std::vector<std::uint8_t> longer = kOneLayer;
  longer.push_back(0);
  EXPECT_FALSE(hostsim::DecodeStoredList(longer.data(), longer.size())) << "bytes left over";
  std::vector<std::uint8_t> magic = kOneLayer;
  magic[3] = 'S';
  EXPECT_FALSE(hostsim::DecodeStoredList(magic.data(), magic.size())) << "wrong magic";
  const std::uint8_t negative[] = {0x4C, 0x59, 0x45, 0x52, 0, 0xFF, 0xFF, 0xFF, 0xFF};
  EXPECT_FALSE(hostsim::DecodeStoredList(negative, sizeof negative)) << "negative count";
}

TEST(DialogToolkit, TextReadsStayWithinTheCapacityGiven) {
  hostsim::hooks::TestDialogSession session;
  const DialogRef dialog = session.toolkit.MakeLayersDialog();
  hostsim::SimControl* text = session.toolkit.FindControl(dialog, kBaseName);
  const ControlRef ref = session.toolkit.ControlRefOf(dialog, kBaseName);
  text->text = "abcdefgh";
  char buffer[16];
  std::memset(buffer, '#', sizeof buffer);
  std::int32_t cell = 5;
  ZU_GetEditTextString(ref, buffer, &cell);
  EXPECT_EQ(std::string(buffer, 6), "abcde#") << "a full capacity gets no terminator";
  EXPECT_EQ(cell, 5);

  text->text = "abc";
  cell = 5;
  ZU_GetEditTextString(ref, buffer, &cell);
  EXPECT_STREQ(buffer, "abc");
  EXPECT_EQ(cell, 4) << "the length, terminator included";

  session.recorder.lengthCellReply = -2;
  ZU_GetEditTextString(ref, buffer, &cell);
  EXPECT_EQ(cell, -2);
}

TEST(DialogToolkit, TwoSessionsAnswerForTheirOwnHandlesOnly) {
  hostsim::hooks::TestDialogSession one, two;
  const DialogRef first = one.toolkit.MakeLayersDialog();
  const DialogRef second = two.toolkit.MakeLayersDialog();
  const ControlRef list = ZU_FindControlByID(first, kLayerList);
  ASSERT_NE(list, 0u);
  EXPECT_NE(list, ZU_FindControlByID(second, kLayerList));
  ZU_InsertListItemEx(list, 0, "row", 7, kRowChecked, 0, 0);
  EXPECT_EQ(one.toolkit.FindControl(first, kLayerList)->rows.size(), 1u);
  EXPECT_TRUE(two.toolkit.FindControl(second, kLayerList)->rows.empty());
  EXPECT_EQ(one.recorder.Calls().size(), 2u);
  EXPECT_EQ(two.recorder.Calls().size(), 1u) << "only its own lookup";
  EXPECT_EQ(ZU_FindControlByID(list, kLayerList), 0u) << "a control handle is no dialog handle";

  // A handle of a session that is gone finds nothing, and a new session issues others.
  std::optional<hostsim::hooks::TestDialogSession> gone(std::in_place);
  const DialogRef old = gone->toolkit.MakeLayersDialog();
  const ControlRef oldList = ZU_FindControlByID(old, kLayerList);
  gone.emplace();
  EXPECT_EQ(ZU_CountListItems(oldList), 0);
  EXPECT_EQ(ZU_FindControlByID(old, kLayerList), 0u);
}

TEST(StoredListKeeper, KeepsACopyOfTheStoredListAndHandsBackItsAddress) {
  hostsim::hooks::TestDialogSession session;
  const hostsim::StoredListKeeper& keeper = session.keeper;
  const HostSetInfoFn setInfo = session.setInfo.function();
  EXPECT_EQ(keeper.StoredListAddress(), 0u);
  std::vector<std::uint8_t> block = kOneLayer;
  StoredBlockDescriptor descriptor{std::int32_t(block.size()), block.data(), FourCC("MEMO")};
  setInfo(7, FourCC("SETI"), 4, &descriptor);
  block.assign(block.size(), 0);  // the plug-in releases its block after the call
  ASSERT_TRUE(keeper.HasStoredList());
  EXPECT_EQ(keeper.StoredListSize(), 41);
  EXPECT_EQ(std::memcmp(keeper.StoredListBytes(), kOneLayer.data(), kOneLayer.size()), 0);
  EXPECT_EQ(keeper.NextParamWords(0).storedList, hostsim::HostAddress(keeper.StoredListBytes()));

  StoredBlockDescriptor wrongType{std::int32_t(block.size()), block.data(), FourCC("TEXT")};
  StoredBlockDescriptor tooLarge{std::int32_t(hostsim::kStoredBlockBytes + 1), block.data(), FourCC("MEMO")};
  setInfo(7, FourCC("SETI"), 4, &wrongType);
  setInfo(7, FourCC("SETI"), 4, &tooLarge);
  setInfo(7, FourCC("SETI"), 4, nullptr);
  EXPECT_EQ(keeper.RefusedCount(), 3u);
  EXPECT_EQ(std::memcmp(keeper.StoredListBytes(), kOneLayer.data(), kOneLayer.size()), 0) << "the kept list stays";
  EXPECT_EQ(session.setInfo.Calls().size(), 4u);
}

}  // namespace
