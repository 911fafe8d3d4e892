#include "dialog/dialog_fixture.h"

void LayersDialogTest::SetUp() {
  PluginTest::SetUp();
  hostsim::ResetDialogToolkit();
}

void LayersDialogTest::TearDown() {
  EXPECT_EQ(hostsim::LiveMadeDialogCount(), 0u) << "the options dialog was not destroyed";
  EXPECT_EQ(hostsim::NullTextCount(), 0u) << "a text passed to the host as none";
  PluginTest::TearDown();
  hostsim::ResetDialogToolkit();
}

void LayersDialogTest::Initialize(const hostsim::ParamWords& words) {
  const auto params = hostsim::EncodeParamBlock(words);
  ShaderRecord shader = hostsim::MakeShaderRecord(params);
  ASSERT_EQ(zu().initialize(&shader), 0);
  ASSERT_EQ(shader.instance, nullptr);
}

DialogRef LayersDialogTest::OpenDialog(const hostsim::ParamWords& words,
                                       const std::function<void(DialogRef)>& prepare) {
  Initialize(words);
  return SetupAnotherDialog(prepare);
}

DialogRef LayersDialogTest::SetupAnotherDialog(const std::function<void(DialogRef)>& prepare) {
  dialog_ = hostsim::MakeLayersDialog();
  if (prepare) prepare(dialog_);
  InterfaceRecord record = hostsim::LayersDialogRecord(dialog_);
  EXPECT_EQ(zu().interfaceSetup(&record), 0);
  return dialog_;
}

hostsim::SimControl& LayersDialogTest::Control(std::int32_t id) const {
  hostsim::SimControl* control = hostsim::FindSimControl(dialog_, id);
  if (control == nullptr) {
    ADD_FAILURE() << "no control " << id;
    static hostsim::SimControl none;
    return none;
  }
  return *control;
}

std::vector<std::string> LayersDialogTest::RowTexts() const {
  std::vector<std::string> texts;
  for (const auto& row : Control(11).rows) texts.push_back(row.text);
  return texts;
}

std::vector<std::int32_t> LayersDialogTest::RowIds() const {
  std::vector<std::int32_t> ids;
  for (const auto& row : Control(11).rows) ids.push_back(row.itemId);
  return ids;
}

std::vector<std::int32_t> LayersDialogTest::RowFlags() const {
  std::vector<std::int32_t> flags;
  for (const auto& row : Control(11).rows) flags.push_back(row.flags);
  return flags;
}

std::vector<std::int32_t> LayersDialogTest::SelectedRows() const {
  std::vector<std::int32_t> rows;
  const auto& all = Control(11).rows;
  for (std::size_t i = 0; i < all.size(); ++i)
    if (all[i].selected) rows.push_back(std::int32_t(i));
  return rows;
}

std::vector<std::int32_t> LayersDialogTest::VisibleOptionControls() const {
  std::vector<std::int32_t> ids;
  for (std::int32_t id = 15; id <= 25; ++id)
    if (Control(id).visible) ids.push_back(id);
  return ids;
}

void LayersDialogTest::ChooseKind(std::int32_t menuResult) {
  hostsim::Script().menuResult = menuResult;
  ASSERT_TRUE(hostsim::UserPress(dialog_, 12));
}

std::optional<hostsim::StoredList> LayersDialogTest::StoredList() const {
  if (!hostsim::HasStoredList()) return std::nullopt;
  auto list = hostsim::DecodeStoredList(hostsim::StoredListBytes(), std::size_t(hostsim::StoredListSize()));
  EXPECT_TRUE(list.has_value()) << "the host received " << hostsim::StoredListSize() << " bytes that do not decode";
  return list;
}
