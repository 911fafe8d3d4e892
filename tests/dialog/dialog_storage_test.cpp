// What the Layers dialog hands to the host on confirmation, and what comes back from it.
//
// The stored list's bytes are checked as the host received them, decoded independently.
#include <cstring>
#include <string>
#include <vector>

#include "dialog/dialog_fixture.h"

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
  OpenDialog({}, [](DialogRef d) { hostsim::FindSimControl(d, 5)->value = 1; });
  const DialogRef d = dialog();
  const std::string longName(100, 'n');
  ASSERT_TRUE(hostsim::UserMoveRow(d, 5, 0));          // Diffuse Pack first
  ASSERT_TRUE(hostsim::UserToggleCheckMark(d, 0));     // ... and switched off
  ASSERT_TRUE(hostsim::UserToggleCheckMark(d, 2));     // Shadows on
  ASSERT_TRUE(hostsim::UserToggleRowMark(d, 1));       // Luminance marked
  ASSERT_TRUE(hostsim::UserEditRowText(d, 5, longName));  // Specular renamed
  ASSERT_TRUE(hostsim::UserSelectRows(d, {3}));
  ASSERT_TRUE(hostsim::UserPress(d, 13));              // Reflections removed
  ASSERT_TRUE(hostsim::UserSelectRows(d, {}));
  ChooseKind(2);                                       // Lights at the end, then unchecked
  ASSERT_TRUE(hostsim::UserToggleCheckMark(d, 5));
  ASSERT_TRUE(hostsim::UserSetValue(d, 17, 2));
  ASSERT_TRUE(hostsim::UserSetText(d, 26, "Shot"));

  ASSERT_TRUE(hostsim::UserPress(d, 1));
  EXPECT_EQ(hostsim::LiveBlockCount(), 0u) << "the list is cleared after confirmation";
  ASSERT_TRUE(hostsim::HasStoredList()) << "confirmation hands the list to the host";
  ASSERT_EQ(hostsim::SetInfoCalls().size(), 1u);
  EXPECT_EQ(hostsim::SetInfoCalls()[0].item, 4);
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
  ASSERT_TRUE(hostsim::UserToggleCheckMark(dialog(), 0));
  ASSERT_TRUE(hostsim::UserPress(dialog(), 2));
  EXPECT_TRUE(hostsim::SetInfoCalls().empty());
  EXPECT_FALSE(hostsim::HasStoredList());
  EXPECT_EQ(hostsim::LiveBlockCount(), 0u) << "the edited list is cleared";

  // The next dialog shows the list as last stored: here still the defaults.
  OpenDialog();
  EXPECT_EQ(RowTexts(), (Texts{"Luminance", "Shadows", "Reflections", "RT Refractions", "Specular", "Diffuse Pack"}));
  EXPECT_EQ(RowFlags(), (std::vector<std::int32_t>{0, 0, 0, 0, 0, 2}));
}

TEST_F(LayersDialogTest, TheNextDialogShowsTheConfirmedList) {
  OpenDialog();
  ASSERT_TRUE(hostsim::UserToggleRowMark(dialog(), 4));
  ASSERT_TRUE(hostsim::UserToggleCheckMark(dialog(), 4));
  ASSERT_TRUE(hostsim::UserMoveRow(dialog(), 0, 5));
  ASSERT_TRUE(hostsim::UserPress(dialog(), 1));
  ASSERT_TRUE(hostsim::HasStoredList()) << "confirmation hands the list to the host";

  OpenDialog(hostsim::HostParamWords(dialog()));
  EXPECT_EQ(RowTexts(), (Texts{"Shadows", "Reflections", "RT Refractions", "Specular", "Diffuse Pack", "Luminance"}));
  EXPECT_EQ(RowIds(), (std::vector<std::int32_t>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(RowFlags(), (std::vector<std::int32_t>{0, 0, 0, 3, 2, 0})) << "check marks and row marks come back";
}

TEST_F(LayersDialogTest, AStoredListWithoutLayersComesBackAsTheDefaults) {
  OpenDialog();
  ASSERT_TRUE(hostsim::UserSelectRows(dialog(), {0, 1, 2, 3, 4, 5}));
  ASSERT_TRUE(hostsim::UserPress(dialog(), 13));
  ASSERT_TRUE(RowTexts().empty());
  ASSERT_TRUE(hostsim::UserPress(dialog(), 1));
  ASSERT_TRUE(hostsim::HasStoredList()) << "confirmation hands the list to the host";
  const auto stored = StoredList();
  ASSERT_TRUE(stored.has_value());
  EXPECT_TRUE(stored->layers.empty());

  OpenDialog(hostsim::HostParamWords(dialog()));
  EXPECT_EQ(RowTexts().size(), 6u);
  EXPECT_EQ(RowTexts().back(), "Diffuse Pack");
}

TEST_F(LayersDialogTest, ARenderDeclaresTheLayersEditedInTheDialog) {
  OpenDialog();
  ASSERT_TRUE(hostsim::UserToggleCheckMark(dialog(), 4));  // Specular on
  ChooseKind(13);                                          // Fog, checked, at the end
  ASSERT_TRUE(hostsim::UserEditRowText(dialog(), 6, "Haze"));
  ASSERT_TRUE(hostsim::UserMoveRow(dialog(), 5, 0));       // Diffuse Pack first
  ASSERT_TRUE(hostsim::UserPress(dialog(), 1));
  ASSERT_TRUE(hostsim::HasStoredList()) << "confirmation hands the list to the host";

  BecomeRenderingHost();
  const auto params = hostsim::EncodeParamBlock(hostsim::HostParamWords(dialog()));
  ShaderRecord shader = hostsim::MakeShaderRecord(params);
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
