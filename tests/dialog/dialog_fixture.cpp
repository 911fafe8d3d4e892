#include "dialog/dialog_fixture.h"

void LayersDialogTest::TearDown() {
  EXPECT_EQ(toolkit().LiveMadeDialogCount(), 0u) << "the options dialog was not destroyed";
  EXPECT_EQ(toolkit().NullTextCount(), 0u) << "a text passed to the host as none";
  PluginTest::TearDown();
}

void LayersDialogTest::Initialize(const hostsim::ParamWords& words) {
  const auto params = hostsim::EncodeParamBlock(words);
  ShaderRecord shader = Shader(params);
  ASSERT_EQ(zu().initialize(&shader), 0);
  ASSERT_EQ(shader.instance, nullptr);
}

DialogRef LayersDialogTest::OpenDialog(const hostsim::ParamWords& words,
                                       const std::function<void(DialogRef)>& prepare) {
  Initialize(words);
  return SetupAnotherDialog(prepare);
}

DialogRef LayersDialogTest::SetupAnotherDialog(const std::function<void(DialogRef)>& prepare) {
  dialog_ = resource_ ? toolkit().MakeLayersDialog(*resource_) : toolkit().MakeLayersDialog();
  if (prepare) prepare(dialog_);
  InterfaceRecord record = session_->LayersDialogRecord(dialog_);
  EXPECT_EQ(zu().interfaceSetup(&record), 0);
  return dialog_;
}

hostsim::SimControl& LayersDialogTest::Control(std::int32_t id) const {
  hostsim::SimControl* control = toolkit().FindControl(dialog_, id);
  if (control == nullptr) {
    ADD_FAILURE() << "no control " << id;
    static hostsim::SimControl none;
    return none;
  }
  return *control;
}

std::vector<std::string> LayersDialogTest::RowTexts() const {
  std::vector<std::string> texts;
  for (const auto& row : Control(kLayerList).rows) texts.push_back(row.text);
  return texts;
}

std::vector<std::int32_t> LayersDialogTest::RowIds() const {
  std::vector<std::int32_t> ids;
  for (const auto& row : Control(kLayerList).rows) ids.push_back(row.itemId);
  return ids;
}

std::vector<std::int32_t> LayersDialogTest::RowFlags() const {
  std::vector<std::int32_t> flags;
  for (const auto& row : Control(kLayerList).rows) flags.push_back(row.flags);
  return flags;
}

std::vector<std::int32_t> LayersDialogTest::SelectedRows() const {
  std::vector<std::int32_t> rows;
  const auto& all = Control(kLayerList).rows;
  for (std::size_t i = 0; i < all.size(); ++i)
    if (all[i].selected) rows.push_back(std::int32_t(i));
  return rows;
}

std::vector<std::int32_t> LayersDialogTest::VisibleOptionControls() const {
  std::vector<std::int32_t> ids;
  for (std::int32_t id = kDiffuseLighting; id <= kAddRefractionsCheck; ++id)
    if (Control(id).visible) ids.push_back(id);
  return ids;
}

void LayersDialogTest::ChooseKind(std::int32_t menuResult) {
  user().menuResult = menuResult;
  ASSERT_TRUE(toolkit().Press(dialog_, kAddButton));
}

std::optional<hostsim::StoredList> LayersDialogTest::StoredList() const {
  if (!keeper().HasStoredList()) return std::nullopt;
  auto list = hostsim::DecodeStoredList(keeper().StoredListBytes(), std::size_t(keeper().StoredListSize()));
  EXPECT_TRUE(list.has_value()) << "the host received " << keeper().StoredListSize() << " bytes that do not decode";
  return list;
}
