// What the Layers dialog hands to the host on confirmation, and what comes back from it.
//
// The stored list's bytes are checked as the host received them, decoded independently.
#include <cstring>
#include <string>
#include <vector>

#include "dialog/dialog_fixture.h"
#include "host/stored_block_descriptor.h"

using hostsim::StoredLayer;
using Texts = std::vector<std::string>;

namespace {

std::vector<std::string> gDeclaredNames;
std::vector<std::uint32_t> gDeclaredKeys;

// The host's view of a declaration: the blend key at 88 and the name as a ShortString at 92.
std::int32_t ZU_ABI RecordDeclaration(LayerDeclaration* declaration) {
  auto* bytes = reinterpret_cast<std::uint8_t*>(declaration);
  std::uint32_t key = 0;
  std::memcpy(&key, bytes + 88, 4);
  gDeclaredKeys.push_back(key);
  gDeclaredNames.emplace_back(reinterpret_cast<const char*>(bytes + 93), bytes[92]);
  const std::int32_t hostId = std::int32_t(gDeclaredNames.size());
  std::memcpy(bytes, &hostId, 4);
  return 0;
}

Texts Names(const hostsim::StoredList& list) {
  Texts names;
  for (const StoredLayer& layer : list.layers) names.push_back(layer.name);
  return names;
}

}  // namespace

TEST_F(LayersDialogTest, ConfirmationStoresTheRowsAsTheyStand) {
  OpenDialog({}, [this](DialogRef d) { toolkit().FindControl(d, kNameMode)->value = 1; });
  const DialogRef d = dialog();
  const std::string longName(100, 'n');
  ASSERT_TRUE(toolkit().MoveRow(d, 5, 0));          // Diffuse Pack first
  ASSERT_TRUE(toolkit().ToggleCheckMark(d, 0));     // ... and switched off
  ASSERT_TRUE(toolkit().ToggleCheckMark(d, 2));     // Shadows on
  ASSERT_TRUE(toolkit().ToggleRowMark(d, 1));       // Luminance marked
  ASSERT_TRUE(toolkit().EditRowText(d, 5, longName));  // Specular renamed
  ASSERT_TRUE(toolkit().SelectRows(d, {3}));
  ASSERT_TRUE(toolkit().Press(d, kRemoveButton));   // Reflections removed
  ASSERT_TRUE(toolkit().SelectRows(d, {}));
  ChooseKind(2);                                       // Lights at the end, then unchecked
  ASSERT_TRUE(toolkit().ToggleCheckMark(d, 5));
  ASSERT_TRUE(toolkit().SetValue(d, kLightsShadows, 2));
  ASSERT_TRUE(toolkit().SetText(d, kBaseName, "Shot"));

  ASSERT_TRUE(toolkit().Press(d, kConfirmButton));
  EXPECT_EQ(memory.LiveBlockCount(), 0u) << "the list is cleared after confirmation";
  ASSERT_TRUE(keeper().HasStoredList()) << "confirmation hands the list to the host";
  ASSERT_EQ(SetInfoCalls().size(), 1u);
  EXPECT_EQ(SetInfoCalls()[0].item, kStoredListItem);
  const auto stored = StoredList();
  ASSERT_TRUE(stored.has_value());
  EXPECT_EQ(stored->baseName, "Shot");
  EXPECT_EQ(Names(*stored), (Texts{"Diffuse Pack", "Luminance", "Shadows", "RT Refractions",
                                   longName.substr(0, 64), "Lights"}));
  const std::uint32_t expectedFlags[] = {0x3, 0x9, 0x2, 0x1, 0x1, 0x3};
  const std::int32_t expectedKinds[] = {1, 7, 3, 11, 6, 2};
  ASSERT_EQ(stored->layers.size(), 6u);
  for (std::size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(stored->layers[i].kind, expectedKinds[i]) << "layer " << i;
    EXPECT_EQ(stored->layers[i].flags, expectedFlags[i]) << "layer " << i;
  }
  EXPECT_EQ(stored->layers[2].option1, 1) << "Shadows keeps its option";
  EXPECT_EQ(stored->layers[5].option1, 2) << "the Lights option set in the dialog";
  EXPECT_EQ(stored->layers[5].blendMode, 8);
}

TEST_F(LayersDialogTest, CancellationStoresNothing) {
  OpenDialog();
  ChooseKind(4);
  ASSERT_TRUE(toolkit().ToggleCheckMark(dialog(), 0));
  ASSERT_TRUE(toolkit().Press(dialog(), kCancelButton));
  EXPECT_TRUE(SetInfoCalls().empty());
  EXPECT_FALSE(keeper().HasStoredList());
  EXPECT_EQ(memory.LiveBlockCount(), 0u) << "the edited list is cleared";

  // The next dialog shows the list as last stored: here still the defaults.
  OpenDialog();
  EXPECT_EQ(RowTexts(), (Texts{"Luminance", "Shadows", "Reflections", "RT Refractions", "Specular", "Diffuse Pack"}));
  EXPECT_EQ(RowFlags(), (std::vector<std::int32_t>{0, 0, 0, 0, 0, 2}));
}

TEST_F(LayersDialogTest, TheNextDialogShowsTheConfirmedList) {
  OpenDialog();
  ASSERT_TRUE(toolkit().ToggleRowMark(dialog(), 4));
  ASSERT_TRUE(toolkit().ToggleCheckMark(dialog(), 4));
  ASSERT_TRUE(toolkit().MoveRow(dialog(), 0, 5));
  ASSERT_TRUE(toolkit().Press(dialog(), kConfirmButton));
  ASSERT_TRUE(keeper().HasStoredList()) << "confirmation hands the list to the host";

  OpenDialog(keeper().NextParamWords(dialog()));
  EXPECT_EQ(RowTexts(), (Texts{"Shadows", "Reflections", "RT Refractions", "Specular", "Diffuse Pack", "Luminance"}));
  EXPECT_EQ(RowIds(), (std::vector<std::int32_t>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(RowFlags(), (std::vector<std::int32_t>{0, 0, 0, 3, 2, 0})) << "check marks and row marks come back";
}

TEST_F(LayersDialogTest, AStoredListWithoutLayersComesBackAsTheDefaults) {
  OpenDialog();
  ASSERT_TRUE(toolkit().SelectRows(dialog(), {0, 1, 2, 3, 4, 5}));
  ASSERT_TRUE(toolkit().Press(dialog(), kRemoveButton));
  ASSERT_TRUE(RowTexts().empty());
  ASSERT_TRUE(toolkit().Press(dialog(), kConfirmButton));
  ASSERT_TRUE(keeper().HasStoredList()) << "confirmation hands the list to the host";
  const auto stored = StoredList();
  ASSERT_TRUE(stored.has_value());
  EXPECT_TRUE(stored->layers.empty());

  OpenDialog(keeper().NextParamWords(dialog()));
  EXPECT_EQ(RowTexts().size(), 6u);
  EXPECT_EQ(RowTexts().back(), "Diffuse Pack");
}

TEST_F(LayersDialogTest, ARenderDeclaresTheLayersEditedInTheDialog) {
  OpenDialog();
  ASSERT_TRUE(toolkit().ToggleCheckMark(dialog(), 4));  // Specular on
  ChooseKind(13);                                          // Fog, checked, at the end
  ASSERT_TRUE(toolkit().EditRowText(dialog(), 6, "Haze"));
  ASSERT_TRUE(toolkit().MoveRow(dialog(), 5, 0));       // Diffuse Pack first
  ASSERT_TRUE(toolkit().Press(dialog(), kConfirmButton));
  ASSERT_TRUE(keeper().HasStoredList()) << "confirmation hands the list to the host";

  BecomeRenderingHost();
  const auto params = hostsim::EncodeParamBlock(keeper().NextParamWords(dialog()));
  ShaderRecord shader = Shader(params);
  ASSERT_EQ(zu().initialize(&shader), 0);
  ASSERT_NE(shader.instance, nullptr);
  gDeclaredNames.clear();
  gDeclaredKeys.clear();
  InitLayersRecord layers = hostsim::MakeInitLayersRecord(shader.instance, &RecordDeclaration);
  EXPECT_EQ(zu().initLayers(&layers), 0);
  EXPECT_EQ(gDeclaredNames, (Texts{"Diffuse Pack", "Specular", "Haze"}));
  EXPECT_EQ(gDeclaredKeys, (std::vector<std::uint32_t>{FourCC("norm"), FourCC("lddg"), FourCC("norm")}));
  zu().finish(&shader);
}
