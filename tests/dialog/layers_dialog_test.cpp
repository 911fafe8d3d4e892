// The Layers dialog driven through the built plug-in and the host's toolkit.
#include <algorithm>
#include <string>
#include <vector>

#include "dialog/dialog_fixture.h"

using hostsim::LayersResourceBounds;
using hostsim::ToolkitCall;
using Ids = std::vector<std::int32_t>;
using Texts = std::vector<std::string>;

namespace {

const Texts kDefaultRows = {"Luminance", "Shadows", "Reflections", "RT Refractions", "Specular", "Diffuse Pack"};

bool SameSize(const ControlBounds& a, const ControlBounds& b) {
  return a.right - a.left == b.right - b.left && a.bottom - a.top == b.bottom - b.top;
}

// Position of the first and last call to function in the log; -1 when there is none.
std::ptrdiff_t FirstCall(const std::vector<ToolkitCall>& calls, const std::string& function) {
  auto it = std::find_if(calls.begin(), calls.end(), [&](const ToolkitCall& c) { return c.function == function; });
  return it == calls.end() ? -1 : it - calls.begin();
}
std::ptrdiff_t LastCall(const std::vector<ToolkitCall>& calls, const std::string& function) {
  auto it = std::find_if(calls.rbegin(), calls.rend(), [&](const ToolkitCall& c) { return c.function == function; });
  return it == calls.rend() ? -1 : calls.rend() - it - 1;
}

}  // namespace

// What setup leaves behind, and that the dialog is titled before anything else and connected only
// once it is laid out and filled, so that no hit can come while it is half built.
TEST_F(LayersDialogTest, SetupTitlesLaysOutFillsAndConnectsLast) {
  OpenDialog();
  const auto& log = calls().Calls();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front().function, "ZU_SetDialogTitle") << "the title comes first";
  EXPECT_EQ(toolkit().DialogTitle(dialog()), "ZU Layers 1.0");
  const std::ptrdiff_t connected = FirstCall(log, "ZU_SetControlHitFunction");
  ASSERT_GE(connected, 0);
  for (const char* building : {"ZU_SetControlBounds", "ZU_SetListFlags", "ZU_InsertListItemEx", "ZU_ScrollList2Item",
                               "ZU_SetControlEnable", "ZU_SetControlVisible"})
    EXPECT_LT(LastCall(log, building), connected) << building << " after the first hit function";

  EXPECT_EQ(RowTexts(), kDefaultRows);
  EXPECT_EQ(Control(kLayerList).listFlags, 43);
  EXPECT_EQ(Control(kLayerList).scrolledTo, 0);
  // No row selected: the options of no layer. The base name, the preset and the custom pair are
  // off with the settings' zeros, and the pair stays off whatever they say.
  for (std::int32_t id : {kRemoveButton, kBlendPopup, kBaseName, kOutputPairPreset, kOutputPairCustom1,
                          kOutputPairCustom2})
    EXPECT_FALSE(Control(id).enabled) << "control " << id;
  EXPECT_TRUE(VisibleOptionControls().empty());
  for (std::int32_t id = 1; id <= kLastControl; ++id) {
    const bool label = id == kUnusedItem3 || id == kUnusedItem4 || id == kLayoutReference || id == kLaidOutItem;
    EXPECT_EQ(Control(id).hit != nullptr, !label) << "control " << id;
    EXPECT_EQ(Control(id).drawImmediate, id == kRemoveButton || id == kBlendPopup) << "control " << id;
  }
}

TEST_F(LayersDialogTest, LayoutSharesOnePlaceForEveryKindsOptions) {
  OpenDialog();
  const ControlBounds anchor = Control(kDiffuseLighting).bounds;
  EXPECT_EQ(anchor.left, LayersResourceBounds(kDiffuseLighting).left);
  EXPECT_EQ(anchor.top, LayersResourceBounds(kDiffuseLighting).top);
  EXPECT_EQ(Control(kDiffuseAdditives).bounds.left, LayersResourceBounds(kDiffuseAdditives).left)
      << "the second Diffuse Pack option stays where the resource put it";
  for (std::int32_t id : {kLightsShadows, kShadowsOption, kAmbientOption, kMaskValue, kAdditivesMode}) {
    const ControlBounds b = Control(id).bounds;
    EXPECT_EQ(b.right, anchor.right) << "control " << id;
    EXPECT_EQ(b.top, anchor.top) << "control " << id;
    EXPECT_TRUE(SameSize(b, LayersResourceBounds(id))) << "control " << id;
  }
  const int dx = Control(kAdditivesMode).bounds.left - LayersResourceBounds(kAdditivesMode).left;
  const int dy = Control(kAdditivesMode).bounds.top - LayersResourceBounds(kAdditivesMode).top;
  for (std::int32_t id = kAddSpecularCheck; id <= kAddRefractionsCheck; ++id) {
    EXPECT_EQ(Control(id).bounds.left, LayersResourceBounds(id).left + dx) << "control " << id;
    EXPECT_EQ(Control(id).bounds.bottom, LayersResourceBounds(id).bottom + dy) << "control " << id;
  }
  const ControlBounds item = Control(kLaidOutItem).bounds;
  EXPECT_EQ(item.right, Control(kLayoutReference).bounds.right);
  EXPECT_EQ(item.left, LayersResourceBounds(kLaidOutItem).left);
  EXPECT_EQ(item.top, LayersResourceBounds(kLaidOutItem).top);
  EXPECT_EQ(item.bottom, LayersResourceBounds(kLaidOutItem).bottom);
}

TEST_F(LayersDialogTest, FillShowsEveryLayerWithItsIdAndCheckMark) {
  OpenDialog();
  EXPECT_EQ(RowTexts(), kDefaultRows);
  EXPECT_EQ(RowIds(), (Ids{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(RowFlags(), (Ids{0, 0, 0, 0, 0, kRowChecked})) << "only the Diffuse Pack is rendered by default";
  EXPECT_EQ(Control(kLayerList).listFlags, 43);
  EXPECT_TRUE(SelectedRows().empty());
  EXPECT_FALSE(Control(kRemoveButton).enabled);
  EXPECT_FALSE(Control(kBlendPopup).enabled);
  EXPECT_TRUE(VisibleOptionControls().empty());
}

// Selecting a layer shows exactly its kind's option controls, holding the layer's own values:
// what the controls show is what the host receives for that layer on confirmation.
TEST_F(LayersDialogTest, SelectionShowsTheOptionControlsOfTheKind) {
  // The resource's values differ from every layer's, so each value seen was written.
  OpenDialog({}, [this](DialogRef d) {
    for (std::int32_t id = kBlendPopup; id <= kAddRefractionsCheck; ++id) toolkit().FindControl(d, id)->value = 77;
    toolkit().FindControl(d, kMaskValue)->text = "resource";
  });
  const std::vector<std::pair<std::int32_t, Ids>> kinds = {
      {1, {kDiffuseLighting, kDiffuseAdditives}},
      {2, {kLightsShadows}},
      {3, {kShadowsOption}},
      {4, {kAmbientOption}},
      {5, {kAdditivesMode, kAddSpecularCheck, kAddLuminanceCheck, kAddReflectionsCheck, kAddRefractionsCheck}},
      {6, {}}, {7, {}}, {8, {}}, {9, {}}, {10, {}}, {11, {}}, {12, {}}, {13, {}},
      {14, {kMaskValue}},
      {15, {}},
  };
  struct Shown {
    std::int32_t blendMode;
    std::int32_t option1, option2;  // as their controls show them; 0 where the kind has none
    std::uint32_t additives;        // the checkboxes 22 to 25, as flag bits 0x10 to 0x80
  };
  std::vector<Shown> shown;
  for (const auto& [kind, visible] : kinds) {
    ChooseKind(kind);
    EXPECT_EQ(SelectedRows(), Ids{6}) << "kind " << kind << ": each goes in ahead of the one before";
    EXPECT_TRUE(Control(kRemoveButton).enabled) << "kind " << kind;
    EXPECT_TRUE(Control(kBlendPopup).enabled) << "kind " << kind;
    EXPECT_EQ(VisibleOptionControls(), visible) << "kind " << kind;
    Shown s{Control(kBlendPopup).value, 0, 0, 0};
    if (!visible.empty() && visible[0] != kMaskValue) s.option1 = Control(visible[0]).value;
    if (kind == 1) s.option2 = Control(kDiffuseAdditives).value;
    if (kind == 14) s.option1 = std::stoi(Control(kMaskValue).text);
    if (kind == 5) {
      for (std::int32_t id = kAddSpecularCheck; id <= kAddRefractionsCheck; ++id) {
        EXPECT_EQ(Control(id).enabled, s.option1 != 0) << "checkbox " << id << ": enabled in a manual pack only";
        if (Control(id).value != 0) s.additives |= 0x10u << (id - kAddSpecularCheck);
      }
    }
    shown.push_back(s);
  }
  ASSERT_TRUE(toolkit().Press(dialog(), kConfirmButton));
  const auto stored = StoredList();
  ASSERT_TRUE(stored.has_value());
  ASSERT_EQ(stored->layers.size(), kDefaultRows.size() + kinds.size());
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    // The last one added stands first among them.
    const hostsim::StoredLayer& layer = stored->layers[6 + kinds.size() - 1 - i];
    const std::int32_t kind = kinds[i].first;
    ASSERT_EQ(layer.kind, kind);
    EXPECT_NE(shown[i].blendMode, 77) << "kind " << kind << ": the blend popup was written";
    EXPECT_EQ(layer.blendMode, shown[i].blendMode) << "kind " << kind;
    if (!kinds[i].second.empty()) {
      EXPECT_EQ(layer.option1, shown[i].option1) << "kind " << kind;
    }
    if (kind == 1) {
      EXPECT_EQ(layer.option2, shown[i].option2) << "kind " << kind;
    }
    if (kind == 5) {
      EXPECT_EQ(layer.flags & 0xF0u, shown[i].additives) << "kind " << kind;
    }
  }
}

TEST_F(LayersDialogTest, ReselectingTheSameLayerRewritesNothing) {
  OpenDialog();
  ASSERT_TRUE(toolkit().SelectRows(dialog(), {5}));
  EXPECT_EQ(VisibleOptionControls(), (Ids{kDiffuseLighting, kDiffuseAdditives}));
  const auto writes = [this] {
    return calls().CallsTo("ZU_SetControlValue").size() + calls().CallsTo("ZU_SetControlVisible").size();
  };
  const std::size_t before = writes();
  ASSERT_TRUE(toolkit().SelectRows(dialog(), {5}));
  EXPECT_EQ(writes(), before);
  ASSERT_TRUE(toolkit().SelectRows(dialog(), {1}));
  EXPECT_EQ(VisibleOptionControls(), Ids{kShadowsOption});
}

TEST_F(LayersDialogTest, OptionEditsGoIntoTheSelectedLayerOnly) {
  OpenDialog();
  ASSERT_TRUE(toolkit().SelectRows(dialog(), {5}));  // Diffuse Pack
  ASSERT_TRUE(toolkit().SetValue(dialog(), kDiffuseLighting, 1));
  ASSERT_TRUE(toolkit().SetValue(dialog(), kDiffuseAdditives, 2));
  ASSERT_TRUE(toolkit().SetValue(dialog(), kBlendPopup, 5));
  // A hidden control of another kind, hit anyway, is no option of this layer.
  Control(kLightsShadows).value = 9;
  ASSERT_TRUE(toolkit().HitAsHost(dialog(), kLightsShadows));

  ASSERT_TRUE(toolkit().SelectRows(dialog(), {1}));  // Shadows
  EXPECT_EQ(Control(kShadowsOption).value, 1);
  EXPECT_EQ(Control(kBlendPopup).value, 8);
  ASSERT_TRUE(toolkit().SelectRows(dialog(), {5}));
  EXPECT_EQ(Control(kDiffuseLighting).value, 1);
  EXPECT_EQ(Control(kDiffuseAdditives).value, 2);
  EXPECT_EQ(Control(kBlendPopup).value, 5);

  // Without a selected layer, hits on the option controls change nothing.
  ASSERT_TRUE(toolkit().SelectRows(dialog(), {}));
  EXPECT_FALSE(Control(kBlendPopup).enabled);
  for (std::int32_t id = kBlendPopup; id <= kAddRefractionsCheck; ++id) {
    Control(id).value = 3;
    ASSERT_TRUE(toolkit().HitAsHost(dialog(), id)) << "control " << id;
  }
  ASSERT_TRUE(toolkit().SelectRows(dialog(), {5}));
  EXPECT_EQ(Control(kBlendPopup).value, 5);
  EXPECT_EQ(Control(kDiffuseLighting).value, 1);
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
    ASSERT_TRUE(toolkit().SetText(dialog(), kMaskValue, c.text)) << c.text;
    ASSERT_TRUE(toolkit().SelectRows(dialog(), {0}));
    ASSERT_TRUE(toolkit().SelectRows(dialog(), {maskRow}));
    EXPECT_EQ(Control(kMaskValue).text, c.shown) << "typed \"" << c.text << "\"";
  }
}

TEST_F(LayersDialogTest, AdditivesChecksFollowTheComponentMode) {
  OpenDialog();
  ChooseKind(5);
  for (std::int32_t id = kAddSpecularCheck; id <= kAddRefractionsCheck; ++id) {
    EXPECT_EQ(Control(id).value, 1) << "checkbox " << id;
    EXPECT_FALSE(Control(id).enabled) << "automatic pack, checkbox " << id;
  }
  EXPECT_FALSE(toolkit().SetValue(dialog(), kAddLuminanceCheck, 0)) << "a disabled checkbox takes no click";

  ASSERT_TRUE(toolkit().SetValue(dialog(), kAdditivesMode, 1));
  for (std::int32_t id = kAddSpecularCheck; id <= kAddRefractionsCheck; ++id)
    EXPECT_TRUE(Control(id).enabled) << "manual pack, checkbox " << id;
  ASSERT_TRUE(toolkit().SetValue(dialog(), kAddLuminanceCheck, 0));
  ASSERT_TRUE(toolkit().SetValue(dialog(), kAddRefractionsCheck, 0));

  ASSERT_TRUE(toolkit().SelectRows(dialog(), {0}));
  for (std::int32_t id = kAdditivesMode; id <= kAddRefractionsCheck; ++id) Control(id).value = 7;
  ASSERT_TRUE(toolkit().SelectRows(dialog(), {6}));
  EXPECT_EQ(Control(kAdditivesMode).value, 1);
  EXPECT_EQ(Control(kAddSpecularCheck).value, 1);
  EXPECT_EQ(Control(kAddLuminanceCheck).value, 0);
  EXPECT_EQ(Control(kAddReflectionsCheck).value, 1);
  EXPECT_EQ(Control(kAddRefractionsCheck).value, 0);
  EXPECT_TRUE(Control(kAddSpecularCheck).enabled);

  ASSERT_TRUE(toolkit().SetValue(dialog(), kAdditivesMode, 0));
  for (std::int32_t id = kAddSpecularCheck; id <= kAddRefractionsCheck; ++id)
    EXPECT_FALSE(Control(id).enabled) << "automatic again, checkbox " << id;
}

TEST_F(LayersDialogTest, AddingPutsTheRowAtTheSelectionOrAfterTheLast) {
  OpenDialog();
  ChooseKind(13);  // Fog: off by default, but a new row is always checked
  const auto menus = calls().CallsTo("ZU_PopupMenuTrack");
  ASSERT_EQ(menus.size(), 1u);
  EXPECT_EQ(menus[0].first, LayersResourceBounds(kAddButton).left + 2);
  EXPECT_EQ(menus[0].second, LayersResourceBounds(kAddButton).top + 2);
  Texts rows = kDefaultRows;
  rows.push_back("Fog");
  EXPECT_EQ(RowTexts(), rows);
  EXPECT_EQ(RowIds().back(), 7);
  EXPECT_EQ(RowFlags().back(), kRowChecked);
  EXPECT_EQ(SelectedRows(), Ids{6});
  EXPECT_TRUE(Control(kBlendPopup).enabled);
  EXPECT_TRUE(VisibleOptionControls().empty());

  ASSERT_TRUE(toolkit().SelectRows(dialog(), {2}));
  ChooseKind(2);
  rows.insert(rows.begin() + 2, "Lights");
  EXPECT_EQ(RowTexts(), rows);
  EXPECT_EQ(RowIds(), (Ids{1, 2, 8, 3, 4, 5, 6, 7}));
  EXPECT_EQ(SelectedRows(), Ids{2}) << "the previously selected row is deselected";
  EXPECT_EQ(VisibleOptionControls(), Ids{kLightsShadows});
}

TEST_F(LayersDialogTest, MenuWithoutAKindChangesNothing) {
  OpenDialog();
  ASSERT_TRUE(toolkit().SelectRows(dialog(), {1}));
  const std::uint32_t allocations = memory.AllocationCount();
  for (std::int32_t result : {0, 16, 0x7FFF0000, -1}) {
    ChooseKind(result);
    EXPECT_EQ(RowTexts(), kDefaultRows) << "menu result " << result;
    EXPECT_EQ(SelectedRows(), Ids{1}) << "menu result " << result;
  }
  EXPECT_EQ(memory.AllocationCount(), allocations);
  EXPECT_TRUE(calls().CallsTo("ZU_SelectListItem").empty());

  ChooseKind(0x00030003);  // only the low half names the item
  EXPECT_EQ(RowTexts()[1], "Shadows");
  EXPECT_EQ(RowIds()[1], 7);
}

TEST_F(LayersDialogTest, RefusedAppendLeavesTheDialogAsItWas) {
  OpenDialog();
  for (int i = 0; i < 10; ++i) ChooseKind(6);  // 16 layers: the item array is full
  ASSERT_TRUE(toolkit().SelectRows(dialog(), {2}));
  const Texts rows = RowTexts();
  const std::size_t before = calls().Calls().size();
  memory.FailAllocationsFrom(memory.AllocationCount() + 1);
  ChooseKind(3);
  EXPECT_EQ(RowTexts(), rows);
  EXPECT_EQ(SelectedRows(), Ids{2});
  for (std::size_t i = before; i < calls().Calls().size(); ++i) {
    const std::string& f = calls().Calls()[i].function;
    EXPECT_TRUE(f != "ZU_SelectListItem" && f != "ZU_InsertListItemEx" && f.rfind("ZU_SetControl", 0) != 0)
        << "call " << f << " after a refused append";
  }

  // A layer whose name cannot be copied is still added, with an empty row text.
  memory.FailAllocationsFrom(0);
  memory.FailAllocationNumber(memory.AllocationCount() + 2);  // the grown array, then the name
  ChooseKind(3);
  ASSERT_EQ(RowTexts().size(), rows.size() + 1);
  EXPECT_EQ(RowTexts()[2], "");
  EXPECT_EQ(SelectedRows(), Ids{2});
  EXPECT_EQ(VisibleOptionControls(), Ids{kShadowsOption});
}

TEST_F(LayersDialogTest, RemoveTakesEverySelectedRow) {
  OpenDialog();
  EXPECT_FALSE(toolkit().Press(dialog(), kRemoveButton)) << "nothing selected: the remove button is disabled";
  const std::size_t blocks = memory.LiveBlockCount();
  ASSERT_TRUE(toolkit().SelectRows(dialog(), {0, 2, 3}));
  ASSERT_TRUE(toolkit().Press(dialog(), kRemoveButton));
  EXPECT_EQ(RowTexts(), (Texts{"Shadows", "Specular", "Diffuse Pack"}));
  EXPECT_EQ(RowIds(), (Ids{2, 5, 6}));
  EXPECT_EQ(memory.LiveBlockCount(), blocks - 3) << "the three names are released";
  EXPECT_FALSE(Control(kRemoveButton).enabled);
  EXPECT_FALSE(Control(kBlendPopup).enabled);
  EXPECT_TRUE(VisibleOptionControls().empty());
}

TEST_F(LayersDialogTest, EnablingFollowsNameModeAndOutputPair) {
  OpenDialog({}, [this](DialogRef d) {
    toolkit().FindControl(d, kNameMode)->value = 1;
    toolkit().FindControl(d, kBaseName)->text = "Take";
  });
  EXPECT_TRUE(Control(kBaseName).enabled);
  EXPECT_FALSE(Control(kOutputPairPreset).enabled);
  EXPECT_FALSE(Control(kOutputPairCustom1).enabled);
  EXPECT_FALSE(Control(kOutputPairCustom2).enabled);

  ASSERT_TRUE(toolkit().SetValue(dialog(), kNameMode, 0));
  EXPECT_FALSE(Control(kBaseName).enabled);
  EXPECT_EQ(Control(kBaseName).text, "Take") << "disabled, but the text stays";
  ASSERT_TRUE(toolkit().SetValue(dialog(), kOutputPairEnabled, 1));
  EXPECT_TRUE(Control(kOutputPairPreset).enabled);
  ASSERT_TRUE(toolkit().SetValue(dialog(), kOutputPairEnabled, 0));
  EXPECT_FALSE(Control(kOutputPairPreset).enabled);
  EXPECT_FALSE(Control(kOutputPairCustom1).enabled);
}

TEST_F(LayersDialogTest, BaseNameIsTakenFromItsTextWithinItsBuffer) {
  const auto useBaseName = [this](DialogRef d) {
    toolkit().FindControl(d, kNameMode)->value = 1;
    toolkit().FindControl(d, kBaseName)->text = "from the resource";
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
    calls().lengthCellReply = c.lengthCell;
    ASSERT_TRUE(toolkit().SetText(dialog(), kBaseName, c.typed));
    calls().lengthCellReply.reset();
    // A further dialog on the same list shows the base name it keeps.
    SetupAnotherDialog(useBaseName);
    EXPECT_EQ(Control(kBaseName).text, c.kept) << "typed " << c.typed.size() << " characters, cell "
                                        << (c.lengthCell ? std::to_string(*c.lengthCell) : "as written");
  }
}

TEST_F(LayersDialogTest, CustomPairDialogCopiesBackOnlyWhenConfirmed) {
  OpenDialog({}, [this](DialogRef d) {
    toolkit().FindControl(d, kOutputPairEnabled)->value = 1;
    toolkit().FindControl(d, kOutputPairCustom1)->text = "12";
    toolkit().FindControl(d, kOutputPairCustom2)->text = "-3";
  });
  ASSERT_TRUE(toolkit().SetValue(dialog(), kOutputPairPreset, 3));
  EXPECT_TRUE(calls().CallsTo("ZU_MakeDialog").empty()) << "only the custom preset opens the options dialog";

  user().optionsConfirmed = false;
  user().optionsText3 = "40";
  user().optionsText4 = "50";
  ASSERT_TRUE(toolkit().SetValue(dialog(), kOutputPairPreset, 4));
  const auto made = calls().CallsTo("ZU_MakeDialog");
  ASSERT_EQ(made.size(), 1u);
  EXPECT_EQ(made[0].first, kOptionsDialog);
  EXPECT_EQ(std::uint32_t(made[0].second), toolkit().resourceValue()) << "made through the host's resource value";
  ASSERT_EQ(user().OptionsDialogRuns().size(), 1u);
  EXPECT_EQ(user().OptionsDialogRuns()[0].text3, "12");
  EXPECT_EQ(user().OptionsDialogRuns()[0].text4, "-3");
  EXPECT_EQ(Control(kOutputPairCustom1).text, "12");
  EXPECT_EQ(Control(kOutputPairCustom2).text, "-3");
  EXPECT_TRUE(SetInfoCalls().empty());
  EXPECT_EQ(calls().CallsTo("ZU_DestroyDialog").size(), 1u);

  user().optionsConfirmed = true;
  ASSERT_TRUE(toolkit().SetValue(dialog(), kOutputPairPreset, 4));
  EXPECT_EQ(user().OptionsDialogRuns().size(), 2u) << "each hit with the custom preset opens it again";
  EXPECT_EQ(Control(kOutputPairCustom1).text, "40");
  EXPECT_EQ(Control(kOutputPairCustom2).text, "50");
  const auto& told = SetInfoCalls();
  ASSERT_EQ(told.size(), 2u);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(told[i].dialog, dialog());
    EXPECT_EQ(told[i].code, FourCC("SETI"));
    EXPECT_EQ(told[i].item, kOutputPairCustom1 + i);
    EXPECT_FALSE(told[i].withData);
  }
  const hostsim::ParamWords kept = keeper().NextParamWords(dialog());
  EXPECT_EQ(kept.outputPairCustom1, 40);
  EXPECT_EQ(kept.outputPairCustom2, 50);

  calls().makeDialogFails = true;
  ASSERT_TRUE(toolkit().SetValue(dialog(), kOutputPairPreset, 4));
  EXPECT_EQ(user().OptionsDialogRuns().size(), 2u);
  EXPECT_EQ(told.size(), 2u);
  EXPECT_EQ(calls().CallsTo("ZU_DestroyDialog").size(), 2u) << "nothing made, nothing to destroy";
}

// The host's own resource, laid out by the plug-in: whatever kind is selected, every control a
// person can see lies inside the dialog, and none covers another (the group holds its controls).
TEST_F(LayersDialogTest, TheHostsLayoutShowsEveryKindsControlsInsideTheDialogApart) {
  UseResource(hostsim::LayersDialogResource());
  OpenDialog();
  const ControlBounds frame = toolkit().DialogFrame(dialog());
  auto overlap = [](const ControlBounds& a, const ControlBounds& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
  };
  for (std::int32_t kind = 1; kind <= 15; ++kind) {
    ChooseKind(kind);
    std::vector<std::int32_t> shown;
    for (std::int32_t id = 1; id <= kLastControl; ++id)
      if (Control(id).visible) shown.push_back(id);
    for (std::int32_t id : shown) {
      const ControlBounds b = Control(id).bounds;
      EXPECT_TRUE(b.left >= frame.left && b.top >= frame.top && b.right <= frame.right && b.bottom <= frame.bottom)
          << "kind " << kind << ", control " << id << " outside the dialog";
      for (std::int32_t other : shown) {
        if (other <= id || id == kLayoutReference || other == kLayoutReference) continue;
        EXPECT_FALSE(overlap(b, Control(other).bounds)) << "kind " << kind << ": controls " << id << " and " << other;
      }
    }
  }
  EXPECT_EQ(Control(kLaidOutItem).bounds.right, Control(kLayoutReference).bounds.right);
}
