// Bringing the list control's rows into the layer records at confirmation.
#include <string>
#include <vector>

#include "dialog/dialog_unit_fixture.h"
#include "dialog/layer_rows.h"

namespace {

using namespace zu;

using ApplyListRowsTest = DialogUnitTest;

std::vector<std::string> Names(const LayerList& list) {
  std::vector<std::string> names;
  for (std::int32_t i = 0; i < list.count; ++i) names.push_back(list.items[i].name ? list.items[i].name : "(none)");
  return names;
}

TEST_F(ApplyListRowsTest, RecordsTakeTheRowsOrderTextsAndMarks) {
  BuildDefaultLayerList(list_);
  Open();
  ASSERT_TRUE(toolkit().MoveRow(dialog_, 5, 1));      // Diffuse Pack second
  ASSERT_TRUE(toolkit().ToggleCheckMark(dialog_, 1)); // ... and off
  ASSERT_TRUE(toolkit().ToggleCheckMark(dialog_, 0)); // Luminance on
  ASSERT_TRUE(toolkit().ToggleRowMark(dialog_, 3));   // Reflections marked
  ASSERT_TRUE(toolkit().EditRowText(dialog_, 2, "Hard shadows"));

  ApplyListRows(list_);
  EXPECT_EQ(Names(list_), (std::vector<std::string>{"Luminance", "Diffuse Pack", "Hard shadows", "Reflections",
                                                    "RT Refractions", "Specular"}));
  const std::uint32_t flags[] = {0x0, 0x3, 0x3, 0x9, 0x1, 0x1};
  const std::int32_t kinds[] = {7, 1, 3, 8, 11, 6};
  for (std::int32_t i = 0; i < list_.count; ++i) {
    EXPECT_EQ(list_.items[i].id, i + 1) << "layer " << i;
    EXPECT_EQ(list_.items[i].kind, kinds[i]) << "layer " << i;
    EXPECT_EQ(list_.items[i].flags, flags[i]) << "layer " << i;
  }
  EXPECT_EQ(list_.nextId, 7);
}

TEST_F(ApplyListRowsTest, RowsWithoutARecordAreSkippedAndOnlyTheRecordsSorted) {
  BuildDefaultLayerList(list_);
  // Removing the first layer leaves a stale copy of the last one past count, with a lower id
  // than any the rows hand out: sorting past count would pull it in.
  RemoveLayerById(list_, 1);
  Open();
  Rows().push_back(hostsim::ListRow{"not a layer", 99, 2, false});
  Rows().insert(Rows().begin(), hostsim::ListRow{"nor this", -4, 0, false});

  ApplyListRows(list_);
  ASSERT_EQ(list_.count, 5);
  EXPECT_EQ(Names(list_),
            (std::vector<std::string>{"Shadows", "Reflections", "RT Refractions", "Specular", "Diffuse Pack"}));
  for (std::int32_t i = 0; i < list_.count; ++i) EXPECT_EQ(list_.items[i].id, i + 1) << "layer " << i;
  EXPECT_EQ(list_.nextId, 6);
}

TEST_F(ApplyListRowsTest, RowTextsAreReadUpTo127Characters) {
  ASSERT_NE(AppendLayer(list_, nullptr), nullptr);
  ASSERT_NE(AppendLayer(list_, nullptr), nullptr);
  Open();
  const std::string fits(126, 'a'), longer(200, 'b');
  Rows()[0].text = fits;
  Rows()[1].text = longer;
  ApplyListRows(list_);
  EXPECT_EQ(std::string(list_.items[0].name), fits);
  EXPECT_EQ(std::string(list_.items[1].name), longer.substr(0, 127)) << "the host writes no terminator then";
}

}  // namespace
