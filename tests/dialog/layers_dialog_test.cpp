// The Layers dialog driven through the built plug-in and the substitute host's toolkit.
#include <string>
#include <vector>

#include "dialog/dialog_fixture.h"

using hostsim::CallsTo;
using hostsim::Script;
using hostsim::ToolkitCall;
using Ids = std::vector<std::int32_t>;
using Texts = std::vector<std::string>;

namespace {

const Texts kDefaultRows = {"Luminance", "Shadows", "Reflections", "RT Refractions", "Specular", "Diffuse Pack"};

// The calls that change what the dialog shows, as "function control value" in call order.
std::vector<std::string> VisibleEffects() {
  std::vector<std::string> effects;
  for (const ToolkitCall& call : hostsim::ToolkitCalls()) {
    const std::string& f = call.function;
    if (f == "ZU_SetDialogTitle")
      effects.push_back("title " + call.text);
    else if (f == "ZU_SetControlBounds" || f == "ZU_SetControlHitFunction" || f == "ZU_SetControlDrawImmediate")
      effects.push_back(f.substr(3) + " " + std::to_string(call.control));
    else if (f == "ZU_SetControlEnable" || f == "ZU_SetControlVisible" || f == "ZU_SetListFlags" ||
             f == "ZU_ScrollList2Item")
      effects.push_back(f.substr(3) + " " + std::to_string(call.control) + " " + std::to_string(call.first));
    else if (f == "ZU_InsertListItemEx")
      effects.push_back("insert " + std::to_string(call.first) + " " + call.text);
  }
  return effects;
}

bool SameSize(const ControlBounds& a, const ControlBounds& b) {
  return a.right - a.left == b.right - b.left && a.bottom - a.top == b.bottom - b.top;
}

}  // namespace

TEST_F(LayersDialogTest, SetupTitlesLaysOutFillsAndConnectsInOrder) {
  OpenDialog();
  EXPECT_EQ(hostsim::DialogTitle(dialog()), "ZU Layers 1.0");
  ASSERT_FALSE(hostsim::ToolkitCalls().empty());
  EXPECT_EQ(hostsim::ToolkitCalls().front().function, "ZU_SetDialogTitle") << "the title comes first";

  std::vector<std::string> expected = {"title ZU Layers 1.0"};
  for (int id : {17, 18, 20, 19, 21, 22, 23, 24, 25, 28}) expected.push_back("SetControlBounds " + std::to_string(id));
  expected.push_back("SetListFlags 11 43");
  for (int row = 0; row < 6; ++row) expected.push_back("insert " + std::to_string(row) + " " + kDefaultRows[row]);
  expected.push_back("ScrollList2Item 11 0");
  // No row selected: the options of no layer.
  expected.push_back("SetControlEnable 13 0");
  expected.push_back("SetControlEnable 14 0");
  for (int id = 15; id <= 25; ++id) expected.push_back("SetControlVisible " + std::to_string(id) + " 0");
  for (int id : {26, 7, 9, 10}) expected.push_back("SetControlEnable " + std::to_string(id) + " 0");
  for (int id : {1, 2, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26})
    expected.push_back("SetControlHitFunction " + std::to_string(id));
  expected.push_back("SetControlDrawImmediate 13");
  expected.push_back("SetControlDrawImmediate 14");
  EXPECT_EQ(VisibleEffects(), expected);

  for (int id : {3, 4, 27, 28}) EXPECT_EQ(Control(id).hit, nullptr) << "control " << id;
  EXPECT_TRUE(Control(13).drawImmediate);
  EXPECT_TRUE(Control(14).drawImmediate);
}

TEST_F(LayersDialogTest, LayoutSharesOnePlaceForEveryKindsOptions) {
  OpenDialog();
  using hostsim::ResourceBounds;
  const ControlBounds anchor = Control(15).bounds;
  EXPECT_EQ(anchor.left, ResourceBounds(15).left);
  EXPECT_EQ(anchor.top, ResourceBounds(15).top);
  EXPECT_EQ(Control(16).bounds.left, ResourceBounds(16).left) << "16 stays where the resource put it";
  for (int id : {17, 18, 19, 20, 21}) {
    const ControlBounds b = Control(id).bounds;
    EXPECT_EQ(b.right, anchor.right) << "control " << id;
    EXPECT_EQ(b.top, anchor.top) << "control " << id;
    EXPECT_TRUE(SameSize(b, ResourceBounds(id))) << "control " << id;
  }
  const int dx = Control(21).bounds.left - ResourceBounds(21).left;
  const int dy = Control(21).bounds.top - ResourceBounds(21).top;
  for (int id = 22; id <= 25; ++id) {
    EXPECT_EQ(Control(id).bounds.left, ResourceBounds(id).left + dx) << "control " << id;
    EXPECT_EQ(Control(id).bounds.bottom, ResourceBounds(id).bottom + dy) << "control " << id;
  }
  const ControlBounds item = Control(28).bounds;
  EXPECT_EQ(item.right, Control(27).bounds.right);
  EXPECT_EQ(item.left, ResourceBounds(28).left);
  EXPECT_EQ(item.top, ResourceBounds(28).top);
  EXPECT_EQ(item.bottom, ResourceBounds(28).bottom);
}

TEST_F(LayersDialogTest, FillShowsEveryLayerWithItsIdAndCheckMark) {
  OpenDialog();
  EXPECT_EQ(RowTexts(), kDefaultRows);
  EXPECT_EQ(RowIds(), (Ids{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(RowFlags(), (Ids{0, 0, 0, 0, 0, 2})) << "only the Diffuse Pack is rendered by default";
  EXPECT_EQ(Control(11).listFlags, 43);
  EXPECT_TRUE(SelectedRows().empty());
  EXPECT_FALSE(Control(13).enabled);
  EXPECT_FALSE(Control(14).enabled);
  EXPECT_TRUE(VisibleOptionControls().empty());
}

TEST_F(LayersDialogTest, SelectionShowsTheOptionControlsOfTheKind) {
  // The resource's values differ from every layer default, so each value seen was written.
  OpenDialog({}, [](DialogRef d) {
    for (int id = 14; id <= 25; ++id) hostsim::FindSimControl(d, id)->value = 77;
    hostsim::FindSimControl(d, 20)->text = "resource";
  });
  struct Case {
    int kind;
    int blendMode;
    Ids visible;
    std::vector<std::pair<int, int>> values;
  } cases[] = {
      {1, 0, {15, 16}, {{15, 0}, {16, 0}}},
      {2, 8, {17}, {{17, 0}}},
      {3, 8, {18}, {{18, 1}}},
      {4, 18, {19}, {{19, 1}}},
      {5, 18, {21, 22, 23, 24, 25}, {{21, 0}, {22, 1}, {23, 1}, {24, 1}, {25, 1}}},
      {6, 18, {}, {}},  {7, 18, {}, {}},  {8, 18, {}, {}},  {9, 18, {}, {}},  {10, 18, {}, {}},
      {11, 18, {}, {}}, {12, 13, {}, {}}, {13, 0, {}, {}},
      {14, 0, {20}, {}},
      {15, 0, {}, {}},
  };
  for (const Case& c : cases) {
    ChooseKind(c.kind);
    EXPECT_EQ(SelectedRows(), Ids{6}) << "kind " << c.kind << ": each goes in ahead of the one before";
    EXPECT_TRUE(Control(13).enabled) << "kind " << c.kind;
    EXPECT_TRUE(Control(14).enabled) << "kind " << c.kind;
    EXPECT_EQ(Control(14).value, c.blendMode) << "kind " << c.kind;
    EXPECT_EQ(VisibleOptionControls(), c.visible) << "kind " << c.kind;
    for (auto [id, value] : c.values) EXPECT_EQ(Control(id).value, value) << "kind " << c.kind << " control " << id;
  }
  EXPECT_EQ(Control(20).text, "32") << "a new Mask of # shows its mask value";
  for (int id = 22; id <= 25; ++id) EXPECT_FALSE(Control(id).enabled) << "automatic pack, checkbox " << id;
}

TEST_F(LayersDialogTest, ReselectingTheSameLayerRewritesNothing) {
  OpenDialog();
  ASSERT_TRUE(hostsim::UserSelectRows(dialog(), {5}));
  EXPECT_EQ(VisibleOptionControls(), (Ids{15, 16}));
  const std::size_t writes = CallsTo("ZU_SetControlValue").size() + CallsTo("ZU_SetControlVisible").size();
  ASSERT_TRUE(hostsim::UserSelectRows(dialog(), {5}));
  EXPECT_EQ(CallsTo("ZU_SetControlValue").size() + CallsTo("ZU_SetControlVisible").size(), writes);
  ASSERT_TRUE(hostsim::UserSelectRows(dialog(), {1}));
  EXPECT_EQ(VisibleOptionControls(), Ids{18});
}

TEST_F(LayersDialogTest, OptionEditsGoIntoTheSelectedLayerOnly) {
  OpenDialog();
  ASSERT_TRUE(hostsim::UserSelectRows(dialog(), {5}));  // Diffuse Pack
  ASSERT_TRUE(hostsim::UserSetValue(dialog(), 15, 1));
  ASSERT_TRUE(hostsim::UserSetValue(dialog(), 16, 2));
  ASSERT_TRUE(hostsim::UserSetValue(dialog(), 14, 5));
  // A hidden control of another kind, hit anyway, is no option of this layer.
  Control(17).value = 9;
  ASSERT_TRUE(hostsim::HitAsHost(dialog(), 17));

  ASSERT_TRUE(hostsim::UserSelectRows(dialog(), {1}));  // Shadows
  EXPECT_EQ(Control(18).value, 1);
  EXPECT_EQ(Control(14).value, 8);
  ASSERT_TRUE(hostsim::UserSelectRows(dialog(), {5}));
  EXPECT_EQ(Control(15).value, 1);
  EXPECT_EQ(Control(16).value, 2);
  EXPECT_EQ(Control(14).value, 5);

  // Without a selected layer, hits on the option controls change nothing.
  ASSERT_TRUE(hostsim::UserSelectRows(dialog(), {}));
  EXPECT_FALSE(Control(14).enabled);
  for (int id = 14; id <= 25; ++id) {
    Control(id).value = 3;
    ASSERT_TRUE(hostsim::HitAsHost(dialog(), id)) << "control " << id;
  }
  ASSERT_TRUE(hostsim::UserSelectRows(dialog(), {5}));
  EXPECT_EQ(Control(14).value, 5);
  EXPECT_EQ(Control(15).value, 1);
}

TEST_F(LayersDialogTest, MaskValueTakesPlainDecimalDigitsOnly) {
  OpenDialog();
  ChooseKind(14);
  const int maskRow = 6;
  const std::string manyDigits(70, '9');
  struct Case {
    std::string text;
    std::string shown;
  } cases[] = {
      {"-12", "-12"}, {"12a", "12"}, {"a12", "0"}, {"+5", "0"}, {" 7", "0"}, {"", "0"}, {"-", "0"},
      {"007", "7"}, {"2147483647", "2147483647"}, {"-2147483648", "-2147483648"},
      // Beyond the 32-bit range the value saturates instead of wrapping.
      {"2147483648", "2147483647"}, {"-2147483649", "-2147483648"}, {"99999999999", "2147483647"},
      // Longer than the text read: the host fills the buffer without a terminator.
      {manyDigits, "2147483647"}, {"-" + manyDigits, "-2147483648"},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(hostsim::UserSetText(dialog(), 20, c.text)) << c.text;
    ASSERT_TRUE(hostsim::UserSelectRows(dialog(), {0}));
    ASSERT_TRUE(hostsim::UserSelectRows(dialog(), {maskRow}));
    EXPECT_EQ(Control(20).text, c.shown) << "typed \"" << c.text << "\"";
  }
}

TEST_F(LayersDialogTest, AdditivesChecksFollowTheComponentMode) {
  OpenDialog();
  ChooseKind(5);
  for (int id = 22; id <= 25; ++id) {
    EXPECT_EQ(Control(id).value, 1) << "checkbox " << id;
    EXPECT_FALSE(Control(id).enabled) << "automatic pack, checkbox " << id;
  }
  EXPECT_FALSE(hostsim::UserSetValue(dialog(), 23, 0)) << "a disabled checkbox takes no click";

  ASSERT_TRUE(hostsim::UserSetValue(dialog(), 21, 1));
  for (int id = 22; id <= 25; ++id) EXPECT_TRUE(Control(id).enabled) << "manual pack, checkbox " << id;
  ASSERT_TRUE(hostsim::UserSetValue(dialog(), 23, 0));
  ASSERT_TRUE(hostsim::UserSetValue(dialog(), 25, 0));

  ASSERT_TRUE(hostsim::UserSelectRows(dialog(), {0}));
  for (int id = 21; id <= 25; ++id) Control(id).value = 7;
  ASSERT_TRUE(hostsim::UserSelectRows(dialog(), {6}));
  EXPECT_EQ(Control(21).value, 1);
  EXPECT_EQ(Control(22).value, 1);
  EXPECT_EQ(Control(23).value, 0);
  EXPECT_EQ(Control(24).value, 1);
  EXPECT_EQ(Control(25).value, 0);
  EXPECT_TRUE(Control(22).enabled);

  ASSERT_TRUE(hostsim::UserSetValue(dialog(), 21, 0));
  for (int id = 22; id <= 25; ++id) EXPECT_FALSE(Control(id).enabled) << "automatic again, checkbox " << id;
}

TEST_F(LayersDialogTest, AddingPutsTheRowAtTheSelectionOrAfterTheLast) {
  OpenDialog();
  ChooseKind(13);  // Fog: off by default, but a new row is always checked
  const auto menus = CallsTo("ZU_PopupMenuTrack");
  ASSERT_EQ(menus.size(), 1u);
  EXPECT_EQ(menus[0].first, hostsim::ResourceBounds(12).left + 2);
  EXPECT_EQ(menus[0].second, hostsim::ResourceBounds(12).top + 2);
  Texts rows = kDefaultRows;
  rows.push_back("Fog");
  EXPECT_EQ(RowTexts(), rows);
  EXPECT_EQ(RowIds().back(), 7);
  EXPECT_EQ(RowFlags().back(), 2);
  EXPECT_EQ(SelectedRows(), Ids{6});
  EXPECT_TRUE(Control(14).enabled);
  EXPECT_TRUE(VisibleOptionControls().empty());

  ASSERT_TRUE(hostsim::UserSelectRows(dialog(), {2}));
  ChooseKind(2);
  rows.insert(rows.begin() + 2, "Lights");
  EXPECT_EQ(RowTexts(), rows);
  EXPECT_EQ(RowIds(), (Ids{1, 2, 8, 3, 4, 5, 6, 7}));
  EXPECT_EQ(SelectedRows(), Ids{2}) << "the previously selected row is deselected";
  EXPECT_EQ(VisibleOptionControls(), Ids{17});
}

TEST_F(LayersDialogTest, MenuWithoutAKindChangesNothing) {
  OpenDialog();
  ASSERT_TRUE(hostsim::UserSelectRows(dialog(), {1}));
  const std::uint32_t allocations = hostsim::AllocationCount();
  for (std::int32_t result : {0, 16, 0x7FFF0000, -1}) {
    ChooseKind(result);
    EXPECT_EQ(RowTexts(), kDefaultRows) << "menu result " << result;
    EXPECT_EQ(SelectedRows(), Ids{1}) << "menu result " << result;
  }
  EXPECT_EQ(hostsim::AllocationCount(), allocations);
  EXPECT_TRUE(CallsTo("ZU_SelectListItem").empty());

  ChooseKind(0x00030003);  // only the low half names the item
  EXPECT_EQ(RowTexts()[1], "Shadows");
  EXPECT_EQ(RowIds()[1], 7);
}

TEST_F(LayersDialogTest, RefusedAppendLeavesTheDialogAsItWas) {
  OpenDialog();
  for (int i = 0; i < 10; ++i) ChooseKind(6);  // 16 layers: the item array is full
  ASSERT_TRUE(hostsim::UserSelectRows(dialog(), {2}));
  const Texts rows = RowTexts();
  const std::size_t calls = hostsim::ToolkitCalls().size();
  hostsim::FailAllocationsFrom(hostsim::AllocationCount() + 1);
  ChooseKind(3);
  EXPECT_EQ(RowTexts(), rows);
  EXPECT_EQ(SelectedRows(), Ids{2});
  for (std::size_t i = calls; i < hostsim::ToolkitCalls().size(); ++i) {
    const std::string& f = hostsim::ToolkitCalls()[i].function;
    EXPECT_TRUE(f != "ZU_SelectListItem" && f != "ZU_InsertListItemEx" && f.rfind("ZU_SetControl", 0) != 0)
        << "call " << f << " after a refused append";
  }

  // A layer whose name cannot be copied is still added, with an empty row text.
  hostsim::FailAllocationsFrom(0);
  hostsim::FailAllocationNumber(hostsim::AllocationCount() + 2);  // the grown array, then the name
  ChooseKind(3);
  ASSERT_EQ(RowTexts().size(), rows.size() + 1);
  EXPECT_EQ(RowTexts()[2], "");
  EXPECT_EQ(SelectedRows(), Ids{2});
  EXPECT_EQ(VisibleOptionControls(), Ids{18});
}

TEST_F(LayersDialogTest, RemoveTakesEverySelectedRow) {
  OpenDialog();
  EXPECT_FALSE(hostsim::UserPress(dialog(), 13)) << "nothing selected: the remove button is disabled";
  const std::size_t blocks = hostsim::LiveBlockCount();
  ASSERT_TRUE(hostsim::UserSelectRows(dialog(), {0, 2, 3}));
  ASSERT_TRUE(hostsim::UserPress(dialog(), 13));
  EXPECT_EQ(RowTexts(), (Texts{"Shadows", "Specular", "Diffuse Pack"}));
  EXPECT_EQ(RowIds(), (Ids{2, 5, 6}));
  EXPECT_EQ(hostsim::LiveBlockCount(), blocks - 3) << "the three names are released";
  EXPECT_FALSE(Control(13).enabled);
  EXPECT_FALSE(Control(14).enabled);
  EXPECT_TRUE(VisibleOptionControls().empty());
}

TEST_F(LayersDialogTest, EnablingFollowsNameModeAndOutputPair) {
  OpenDialog({}, [](DialogRef d) {
    hostsim::FindSimControl(d, 5)->value = 1;
    hostsim::FindSimControl(d, 26)->text = "Take";
  });
  EXPECT_TRUE(Control(26).enabled);
  EXPECT_FALSE(Control(7).enabled);
  EXPECT_FALSE(Control(9).enabled);
  EXPECT_FALSE(Control(10).enabled);

  ASSERT_TRUE(hostsim::UserSetValue(dialog(), 5, 0));
  EXPECT_FALSE(Control(26).enabled);
  EXPECT_EQ(Control(26).text, "Take") << "disabled, but the text stays";
  ASSERT_TRUE(hostsim::UserSetValue(dialog(), 6, 1));
  EXPECT_TRUE(Control(7).enabled);
  ASSERT_TRUE(hostsim::UserSetValue(dialog(), 6, 0));
  EXPECT_FALSE(Control(7).enabled);
  EXPECT_FALSE(Control(9).enabled);
}

TEST_F(LayersDialogTest, BaseNameIsTakenFromItsTextWithinItsBuffer) {
  const auto useBaseName = [](DialogRef d) {
    hostsim::FindSimControl(d, 5)->value = 1;
    hostsim::FindSimControl(d, 26)->text = "from the resource";
  };
  OpenDialog({}, useBaseName);
  const std::string long63(63, 'b'), long70(70, 'c');
  struct Case {
    std::string typed;
    std::optional<std::int32_t> lengthCell;  // what the host leaves in the length cell
    std::string kept;
  } cases[] = {
      {"Shot12", std::nullopt, "Shot12"},
      {"Shot12", 1000, "Shot12"},   // a cell beyond the buffer cuts nothing
      {"Shot12", 3, "Sh"},
      {"Shot12", 0, ""},            // no length: no base name
      {"Shot12", -4, ""},
      {long63, std::nullopt, long63.substr(0, 62)},  // the host filled its capacity
      {long70, 1000, long70.substr(0, 63)},
  };
  for (const Case& c : cases) {
    Script().lengthCellReply = c.lengthCell;
    ASSERT_TRUE(hostsim::UserSetText(dialog(), 26, c.typed));
    Script().lengthCellReply.reset();
    // A further dialog on the same list shows the base name it keeps.
    SetupAnotherDialog(useBaseName);
    EXPECT_EQ(Control(26).text, c.kept) << "typed " << c.typed.size() << " characters, cell "
                                        << (c.lengthCell ? std::to_string(*c.lengthCell) : "as written");
  }
}

TEST_F(LayersDialogTest, CustomPairDialogCopiesBackOnlyWhenConfirmed) {
  OpenDialog({}, [](DialogRef d) {
    hostsim::FindSimControl(d, 6)->value = 1;
    hostsim::FindSimControl(d, 9)->text = "12";
    hostsim::FindSimControl(d, 10)->text = "-3";
  });
  ASSERT_TRUE(hostsim::UserSetValue(dialog(), 7, 3));
  EXPECT_TRUE(CallsTo("ZU_MakeDialog").empty()) << "only the custom preset opens the options dialog";

  Script().optionsConfirmed = false;
  Script().optionsText3 = "40";
  Script().optionsText4 = "50";
  ASSERT_TRUE(hostsim::UserSetValue(dialog(), 7, 4));
  const auto made = CallsTo("ZU_MakeDialog");
  ASSERT_EQ(made.size(), 1u);
  EXPECT_EQ(made[0].first, 21001);
  EXPECT_EQ(std::uint32_t(made[0].second), hostsim::kHostResourceValue) << "made through the host's resource value";
  ASSERT_EQ(hostsim::OptionsDialogRuns().size(), 1u);
  EXPECT_EQ(hostsim::OptionsDialogRuns()[0].text3, "12");
  EXPECT_EQ(hostsim::OptionsDialogRuns()[0].text4, "-3");
  EXPECT_EQ(Control(9).text, "12");
  EXPECT_EQ(Control(10).text, "-3");
  EXPECT_TRUE(hostsim::SetInfoCalls().empty());
  EXPECT_EQ(CallsTo("ZU_DestroyDialog").size(), 1u);

  Script().optionsConfirmed = true;
  ASSERT_TRUE(hostsim::UserSetValue(dialog(), 7, 4));
  EXPECT_EQ(hostsim::OptionsDialogRuns().size(), 2u) << "each hit with the custom preset opens it again";
  EXPECT_EQ(Control(9).text, "40");
  EXPECT_EQ(Control(10).text, "50");
  const auto& told = hostsim::SetInfoCalls();
  ASSERT_EQ(told.size(), 2u);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(told[i].dialog, dialog());
    EXPECT_EQ(told[i].code, FourCC("SETI"));
    EXPECT_EQ(told[i].item, 9 + i);
    EXPECT_FALSE(told[i].withData);
  }
  const hostsim::ParamWords kept = hostsim::HostParamWords(dialog());
  EXPECT_EQ(kept.outputPairCustom1, 40);
  EXPECT_EQ(kept.outputPairCustom2, 50);

  Script().makeDialogFails = true;
  ASSERT_TRUE(hostsim::UserSetValue(dialog(), 7, 4));
  EXPECT_EQ(hostsim::OptionsDialogRuns().size(), 2u);
  EXPECT_EQ(told.size(), 2u);
  EXPECT_EQ(CallsTo("ZU_DestroyDialog").size(), 2u) << "nothing made, nothing to destroy";
}
