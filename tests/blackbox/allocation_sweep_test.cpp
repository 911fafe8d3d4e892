// Whole sessions through the built library with the host refusing one allocation: the 1st, then
// the 2nd, and so on until a session runs without a refusal. Every refusal must end in the outcome
// that belongs to the step it hit, with nothing left live and nothing released twice.
#include <cstdio>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "dialog/dialog_fixture.h"
#include "host/render_context.h"
#include "host/surface_record.h"
#include "hostsim/declare_service.h"
#include "hostsim/fill_service.h"
#include "hostsim/hooks/test_render_host.h"

using hostsim::StoredLayer;
using Lines = std::vector<std::string>;

namespace {

// Every kind, on and off, packs in automatic and manual modes, names of 70 and 200 characters and
// an empty one, and more layers than the 16 records a list starts with, so that adding one grows it.
const std::string kStoredBaseName = "Shot042_Take7_";
const std::vector<StoredLayer> kStoredLayers = {
    {1, 0x2, 0, 0, 0, 0, "Diffuse Pack"},
    {2, 0x2, 8, 0, 0, 0, "Key and fill"},
    {3, 0x2, 8, 1, 0, 0, "Shadows, balanced"},
    {4, 0x0, 18, 1, 0, 0, "Ambient computed here"},
    {5, 0x50, 18, 1, 0, 0, "Additives: specular and reflections"},
    {6, 0x1, 18, 0, 0, 0, "Specular"},
    {7, 0x0, 18, 0, 0, 0, "Luminance " + std::string(60, 'l')},
    {8, 0x1, 18, 0, 0, 0, "Reflections"},
    {9, 0x0, 18, 0, 0, 0, "RT Reflections"},
    {10, 0x1, 18, 0, 0, 0, "Bitmap Reflections"},
    {11, 0x0, 18, 0, 0, 0, "RT Refractions"},
    {12, 0x0, 13, 0, 0, 0, "Final Render"},
    {13, 0x1, 0, 0, 0, 0, "Fog"},
    {14, 0x0, 0, 7, 0, 0, "Mask of #7"},
    {15, 0x0, 0, 0, 0, 0, "Transparency"},
    {1, 0x1, 0, 1, 1, 0, "Second diffuse, off"},
    {2, 0x0, 8, 2, 0, 0, std::string(200, 'L')},
    {6, 0x8, 22, 0, 0, 5, ""},
    {4, 0x1, 18, 0, 0, 0, "Ambient from the host, off"},
    {14, 0x0, 0, -3, 0, 0, "Mask of #-3"},
};
// The edge mask and the fourteen stored layers that are on.
constexpr std::size_t kStoredDeclarations = 15;

// What the stored list asks of the host while it loads: its base name, its item array and one
// name per layer.
const std::uint32_t kLoadAllocations = 2 + std::uint32_t(kStoredLayers.size());

std::string Text(const ColourValue& v) {
  char text[96];
  std::snprintf(text, sizeof text, "%.9g %.9g %.9g %.9g", v.alpha, v.red, v.green, v.blue);
  return text;
}

std::string Text(const LayerDeclaration& d) {
  char text[160];
  std::snprintf(text, sizeof text, " %s flags %#x class %d/%d component %d background %u,%u,%u,%u pair %d,%d",
                hostsim::FourCCText(d.blendKey).c_str(), d.declFlags, d.layerClass, d.classParam, d.component,
                d.background[0], d.background[1], d.background[2], d.background[3], d.outputPairFirst,
                d.outputPairSecond);
  return hostsim::DeclaredName(d) + text;
}

std::vector<std::uint8_t> StoredBlock() {
  hostsim::StoredListBuilder builder;
  builder.Header(kStoredBaseName, std::uint32_t(kStoredLayers.size()));
  for (const StoredLayer& l : kStoredLayers)
    builder.Entry(l.kind, l.flags, l.blendMode, l.option1, l.option2, l.option3, l.name);
  return builder.InHostBlock();
}

// A session is over once a run asks for fewer blocks than the number refused.
bool Refused(const hostsim::hooks::TestAllocator& memory, std::uint32_t refuse) {
  return refuse != 0 && memory.AllocationCount() >= refuse;
}

// One render as the host drives it, seen from the host's side.
struct RenderSession {
  std::int32_t initializeResult = 0;
  bool instance = false;
  std::int32_t declareResult = 0;
  Lines declared;
  Lines fills;  // every fetch and write, with the sample's result after each sample
  bool operator==(const RenderSession&) const = default;
};

void PrintTo(const RenderSession& s, std::ostream* out) {
  *out << "initialize " << s.initializeResult << (s.instance ? " with" : " without") << " instance, declare "
       << s.declareResult << ", " << s.declared.size() << " declared, " << s.fills.size() << " fill lines";
}

class RenderSessionSweepTest : public PluginTest {
 protected:
  void SetUp() override {
    PluginTest::SetUp();
    BecomeRenderingHost();
    services.SetSceneLights(
        {{{1, 0.9f, 0.8f}, 0.5f, 1, {0.25f, 0.2f, 0.1f}}, {{0.3f, 0.3f, 0.6f}, 0.7f, 0, {0, 0, 0}}});
    surface_.lightExponent = 2.0f;
    sample_.transparencyFirst = 0.25f;
    sample_.transparencySecond = 0.75f;
  }

  // Initialize, declare, three samples (two at one pixel), finish; the refuse-th allocation fails.
  // Each session shades a row of its own, so no session starts on the pixel the previous one left
  // in the component cache.
  RenderSession Run(const hostsim::ParamWords& words, std::uint32_t refuse, std::int32_t row) {
    memory.Reset();
    memory.FailAllocationNumber(refuse);
    services.ResetDeclarations();
    services.ResetFillService();
    for (std::int32_t c = 1; c <= 11; ++c)
      services.SetComponent(c, ColourValue{1.0f, 0.05f * float(c), 0.5f - 0.03f * float(c), 0.25f});

    RenderSession session;
    const auto params = hostsim::EncodeParamBlock(words);
    ShaderRecord shader = Shader(params);
    session.initializeResult = zu().initialize(&shader);
    session.instance = shader.instance != nullptr;
    InitLayersRecord layers = hostsim::MakeInitLayersRecord(shader.instance, services.declare());
    session.declareResult = zu().initLayers(&layers);
    for (const LayerDeclaration& d : services.Declarations()) session.declared.push_back(Text(d));

    for (std::int32_t x : {0, 0, 1}) {
      sample_.pixelX = x;
      sample_.pixelY = row;
      services.ClearFillLog();
      FillLayersRecord fill = hostsim::MakeFillLayersRecord(shader.instance, services.nextLight(), &sample_,
                                                            &surface_, services.fillService());
      const std::int32_t result = zu().fillLayers(&fill);
      for (const hostsim::hooks::FillCall& call : services.FillCalls())
        session.fills.push_back((call.operation == kGetComponent ? "get " : "put ") +
                                std::to_string(call.argument) + " " + Text(call.value));
      session.fills.push_back("sample " + std::to_string(result));
    }
    EXPECT_EQ(zu().finish(&shader), 0);
    return session;
  }

 private:
  hostsim::hooks::TestRenderHost services;
  RenderContext sample_{};
  SurfaceRecord surface_{};
};

TEST_F(RenderSessionSweepTest, EachRefusedAllocationEndsInItsStepsOutcome) {
  const auto block = StoredBlock();
  hostsim::ParamWords stored;
  stored.storedList = hostsim::HostAddress(block.data());
  stored.nameMode = 1;
  stored.edgeMask = 1;
  hostsim::ParamWords defaults = stored;
  defaults.storedList = 0;

  const RenderSession full = Run(stored, 0, -1);
  const std::uint32_t sessionAllocations = memory.AllocationCount();
  ASSERT_EQ(full.declared.size(), kStoredDeclarations);
  EXPECT_EQ(full.declared[1].rfind(kStoredBaseName + "Diffuse Pack norm", 0), 0u) << full.declared[1];
  // The instance, then the stored list; planning, declaring and filling allocate nothing.
  ASSERT_EQ(sessionAllocations, 1 + kLoadAllocations);
  const RenderSession defaultList = Run(defaults, 0, -2);
  ASSERT_EQ(defaultList.declared.size(), 2u) << "the edge mask and the default Diffuse Pack";

  RenderSession refusedInstance;
  refusedInstance.initializeResult = 1;
  refusedInstance.fills = {"sample 0", "sample 0", "sample 0"};

  std::uint32_t refuse = 1;
  for (;; ++refuse) {
    ASSERT_LE(refuse, sessionAllocations + 1) << "the session keeps asking for blocks";
    const RenderSession session = Run(stored, refuse, std::int32_t(refuse));
    ASSERT_EQ(memory.LiveBlockCount(), 0u) << "blocks left after finish, refusing allocation " << refuse;
    ASSERT_EQ(memory.BadFreeCount(), 0u) << "refusing allocation " << refuse;
    if (!Refused(memory, refuse)) {
      EXPECT_EQ(session, full) << "no refusal";
      break;
    }
    if (refuse == 1)
      EXPECT_EQ(session, refusedInstance) << "the instance refused: result 1, nothing to declare or fill";
    else
      EXPECT_EQ(session, defaultList) << "the stored list could not be kept: the default list renders, refusing "
                                      << refuse;
  }
  RecordProperty("AllocationPointsSwept", int(refuse - 1));
  EXPECT_EQ(refuse - 1, sessionAllocations);
}

// --- The Layers dialog -----------------------------------------------------------------------

constexpr std::int32_t kAddedKind = 14;  // "Mask of #": its option is shown as text
constexpr std::int32_t kSelectedRow = 2;
const std::vector<std::int32_t> kRemovedRows = {3, 5};
const std::string kRenamed = "Renamed " + std::string(82, 'r');  // past the 64 characters stored
const std::string kTypedBaseName = "Final_";

struct Rows {
  Lines texts;
  std::vector<std::int32_t> ids, flags, selected;
  bool operator==(const Rows&) const = default;
};

void PrintTo(const Rows& rows, std::ostream* out) {
  for (std::size_t i = 0; i < rows.texts.size(); ++i)
    *out << "\n  " << rows.ids[i] << " [" << rows.flags[i] << "] " << rows.texts[i];
  *out << "\n  selected:";
  for (std::int32_t row : rows.selected) *out << " " << row;
}

// The list the host received, a line for the base name and one per layer; none when none came.
std::optional<Lines> Describe(const std::optional<hostsim::StoredList>& list) {
  if (!list) return std::nullopt;
  Lines lines = {"base " + list->baseName};
  for (const StoredLayer& l : list->layers)
    lines.push_back(std::to_string(l.kind) + " " + std::to_string(l.flags) + " " + std::to_string(l.blendMode) + " " +
                    std::to_string(l.option1) + " " + std::to_string(l.option2) + " " + std::to_string(l.option3) +
                    " " + l.name);
  return lines;
}

struct DialogSession {
  std::uint32_t loaded = 0, added = 0, named = 0;  // allocations asked for by the end of these steps
  Lines shownAtSetup;
  Rows beforeAdd, afterAdd;
  Lines addCalls;  // toolkit functions the add called after the menu
  std::optional<hostsim::StoredList> stored;
  std::size_t setInfoCalls = 0;
};

class DialogSessionSweepTest : public LayersDialogTest {
 protected:
  Rows CurrentRows() const { return Rows{RowTexts(), RowIds(), RowFlags(), SelectedRows()}; }

  // Initialize, setup, add a layer at the selected row (unless addLayer is false), remove two
  // rows, rename one, switch one on, type a base name and confirm; the refuse-th allocation fails.
  // The list ends cleared, so each session loads it again.
  DialogSession Run(const hostsim::ParamWords& words, std::uint32_t refuse, bool addLayer) {
    memory.Reset();
    NewSession();
    memory.FailAllocationNumber(refuse);
    DialogSession s;
    const DialogRef d =
        OpenDialog(words, [this](DialogRef made) { toolkit().FindControl(made, kNameMode)->value = 1; });
    s.loaded = memory.AllocationCount();
    s.shownAtSetup = RowTexts();

    EXPECT_TRUE(toolkit().SelectRows(d, {kSelectedRow}));
    s.beforeAdd = CurrentRows();
    if (addLayer) {
      user().menuResult = kAddedKind;
      const std::size_t first = calls().Calls().size();
      EXPECT_TRUE(toolkit().Press(d, kAddButton));
      for (std::size_t i = first; i < calls().Calls().size(); ++i) {
        const std::string& f = calls().Calls()[i].function;
        if (f != "ZU_GetControlID" && f != "ZU_FindControlByID" && f != "ZU_GetControlBounds" &&
            f != "ZU_PopupMenuTrack" && f != "ZU_GetListSelectedItem")
          s.addCalls.push_back(f);
      }
    }
    s.afterAdd = CurrentRows();
    s.added = memory.AllocationCount();

    EXPECT_TRUE(toolkit().SelectRows(d, kRemovedRows));
    EXPECT_TRUE(toolkit().Press(d, kRemoveButton));
    EXPECT_TRUE(toolkit().EditRowText(d, 0, kRenamed));
    EXPECT_TRUE(toolkit().ToggleCheckMark(d, 1));
    EXPECT_TRUE(toolkit().SetText(d, kBaseName, kTypedBaseName));
    s.named = memory.AllocationCount();

    EXPECT_TRUE(toolkit().Press(d, kConfirmButton));
    s.stored = StoredList();
    s.setInfoCalls = SetInfoCalls().size();
    return s;
  }
};

TEST_F(DialogSessionSweepTest, EachRefusedAllocationEndsInItsStepsOutcome) {
  const auto block = StoredBlock();
  hostsim::ParamWords stored;
  stored.storedList = hostsim::HostAddress(block.data());
  const hostsim::ParamWords defaults;

  const DialogSession full = Run(stored, 0, true);
  const std::uint32_t sessionAllocations = memory.AllocationCount();
  const Lines defaultRows = Run(defaults, 0, false).shownAtSetup;
  const DialogSession defaultList = Run(defaults, 0, true);
  const DialogSession noAdd = Run(stored, 0, false);
  ASSERT_TRUE(full.stored && defaultList.stored && noAdd.stored);
  const std::size_t rows = full.stored->layers.size();
  ASSERT_EQ(rows, kStoredLayers.size() + 1 - kRemovedRows.size());
  EXPECT_EQ(full.stored->layers[kSelectedRow].kind, kAddedKind) << "the new layer stands where it was added";
  EXPECT_EQ(full.stored->baseName, kTypedBaseName);
  // The stored list; the grown item array and the new layer's name; the base name; each row's
  // name at confirmation and the block handed to the host.
  ASSERT_EQ(full.loaded, kLoadAllocations);
  ASSERT_EQ(full.added, full.loaded + 2);
  ASSERT_EQ(full.named, full.added + 1);
  ASSERT_EQ(sessionAllocations, full.named + rows + 1);

  std::uint32_t refuse = 1;
  for (;; ++refuse) {
    ASSERT_LE(refuse, sessionAllocations + 1) << "the session keeps asking for blocks";
    const DialogSession s = Run(stored, refuse, true);
    ASSERT_EQ(memory.LiveBlockCount(), 0u) << "blocks left after confirmation, refusing allocation " << refuse;
    ASSERT_EQ(memory.BadFreeCount(), 0u) << "refusing allocation " << refuse;
    ASSERT_EQ(toolkit().NullTextCount(), 0u) << "a text passed to the host as none, refusing allocation " << refuse;
    if (!Refused(memory, refuse)) {
      EXPECT_EQ(Describe(s.stored), Describe(full.stored)) << "no refusal";
      break;
    }
    std::optional<hostsim::StoredList> expected = full.stored;
    if (refuse <= full.loaded) {
      EXPECT_EQ(s.shownAtSetup, defaultRows) << "the stored list refused: the dialog shows the defaults";
      expected = defaultList.stored;
    } else if (refuse == full.loaded + 1) {
      // The item array could not grow: no row, no selection change, nothing shown.
      EXPECT_EQ(s.afterAdd, s.beforeAdd) << "refusing the grown item array";
      EXPECT_EQ(s.addCalls, Lines{}) << "refusing the grown item array";
      expected = noAdd.stored;
    } else if (refuse == full.loaded + 2) {
      EXPECT_EQ(s.afterAdd.texts[kSelectedRow], "") << "the new layer's name refused: its row has no text";
      EXPECT_EQ(s.afterAdd.selected, std::vector<std::int32_t>{kSelectedRow}) << "the new row is selected";
      expected->layers[kSelectedRow].name.clear();
    } else if (refuse == full.named) {
      expected->baseName.clear();
    } else if (refuse <= full.named + rows) {
      expected->layers[refuse - full.named - 1].name.clear();  // the rows' names are copied in row order
    } else {
      EXPECT_EQ(s.setInfoCalls, 0u) << "the block refused: nothing is handed to the host";
      expected = std::nullopt;
    }
    EXPECT_EQ(Describe(s.stored), Describe(expected)) << "refusing allocation " << refuse;
  }
  RecordProperty("AllocationPointsSwept", int(refuse - 1));
  EXPECT_EQ(refuse - 1, sessionAllocations);
}

}  // namespace
