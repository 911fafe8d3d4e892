// The substitute host's dialog toolkit and stored list keeping, which the dialog tests rely on.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "host/stored_block_descriptor.h"
#include "hostsim/dialog_toolkit.h"
#include "hostsim/host_set_info.h"
#include "hostsim/stored_list_form.h"

extern "C" std::int32_t ZU_ABI ZU_GetEditTextString(ControlRef control, char* text, std::int32_t* length);

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
  hostsim::ResetDialogToolkit();
  const DialogRef dialog = hostsim::MakeLayersDialog();
  hostsim::SimControl* text = hostsim::FindSimControl(dialog, 26);
  const ControlRef ref = hostsim::toolkit::ControlRefOf(dialog, 26);
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

  hostsim::Script().lengthCellReply = -2;
  ZU_GetEditTextString(ref, buffer, &cell);
  EXPECT_EQ(cell, -2);
  hostsim::ResetDialogToolkit();
}

TEST(HostSetInfo, KeepsACopyOfTheStoredListAndHandsBackItsAddress) {
  hostsim::ResetDialogToolkit();
  EXPECT_EQ(hostsim::StoredListAddress(), 0u);
  std::vector<std::uint8_t> block = kOneLayer;
  StoredBlockDescriptor descriptor{std::int32_t(block.size()), block.data(), FourCC("MEMO")};
  hostsim::HostSimSetInfo(7, FourCC("SETI"), 4, &descriptor);
  block.assign(block.size(), 0);  // the plug-in releases its block after the call
  ASSERT_TRUE(hostsim::HasStoredList());
  EXPECT_EQ(hostsim::StoredListSize(), 41);
  EXPECT_EQ(std::memcmp(hostsim::StoredListBytes(), kOneLayer.data(), kOneLayer.size()), 0);
  EXPECT_EQ(hostsim::HostParamWords(0).storedList, hostsim::HostAddress(hostsim::StoredListBytes()));

  StoredBlockDescriptor wrongType{std::int32_t(block.size()), block.data(), FourCC("TEXT")};
  StoredBlockDescriptor tooLarge{0x100001, block.data(), FourCC("MEMO")};
  hostsim::HostSimSetInfo(7, FourCC("SETI"), 4, &wrongType);
  hostsim::HostSimSetInfo(7, FourCC("SETI"), 4, &tooLarge);
  hostsim::HostSimSetInfo(7, FourCC("SETI"), 4, nullptr);
  EXPECT_EQ(hostsim::RefusedStoredListCount(), 3u);
  EXPECT_EQ(std::memcmp(hostsim::StoredListBytes(), kOneLayer.data(), kOneLayer.size()), 0) << "the kept list stays";
  EXPECT_EQ(hostsim::SetInfoCalls().size(), 4u);
  hostsim::ResetDialogToolkit();
}

}  // namespace
