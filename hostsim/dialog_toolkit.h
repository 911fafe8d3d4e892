// The substitute host's dialog toolkit: the dialogs and controls behind the 29 dialog functions
// the host exports (dialog_exports.cpp), scripted answers for the menus and modal dialogs the
// plug-in opens, and a log of every call.
//
// Everything is process-wide, like the host's own toolkit; tests reset it before each test.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/host_dialog.h"
#include "host/interface_record.h"

namespace hostsim {

// The resource value the host hands over in the interface record; the options dialog can only
// be made through a cell that holds it.
constexpr std::uint32_t kHostResourceValue = 0x52534331u;
constexpr std::int32_t kOptionsDialogResource = 21001;
constexpr std::int32_t kKindMenuResource = 136;

enum class ControlKind { Button, Checkbox, Popup, EditText, List, Static };

struct ListRow {
  std::string text;
  std::int32_t itemId = 0;
  std::int32_t flags = 0;  // 2: check mark, 1: row mark
  bool selected = false;
};

struct SimControl {
  DialogRef dialog = 0;
  std::int32_t id = 0;
  ControlKind kind = ControlKind::Static;
  std::int32_t value = 0;
  std::string text;
  bool enabled = true;
  bool visible = true;
  ControlBounds bounds{0, 0, 0, 0};
  HitFunction hit = nullptr;
  bool drawImmediate = false;
  // List controls only.
  std::int32_t listFlags = 0;
  std::vector<ListRow> rows;
  std::int32_t scrolledTo = -1;
};

// One call of a host dialog function, with its handles resolved to ids.
struct ToolkitCall {
  std::string function;    // exported name, e.g. "ZU_SetControlEnable"
  DialogRef dialog = 0;    // the dialog named or owning the control; 0 for none or unknown
  std::int32_t control = 0;  // id of the control named; 0 for none or unknown
  std::int32_t first = 0;  // first plain argument (row, value, flags, id, dx, ...)
  std::int32_t second = 0;  // second plain argument (select, item id, dy, ...)
  std::string text;        // text passed in
};

// Answers the user gives when the plug-in opens something modal.
struct ToolkitScript {
  std::int32_t menuResult = 0;                 // what ZU_PopupMenuTrack returns
  bool optionsConfirmed = false;               // ZU_ExecuteDialog: confirmed or cancelled
  std::optional<std::string> optionsText3;     // typed into the options dialog's edit texts
  std::optional<std::string> optionsText4;
  bool makeDialogFails = false;                // ZU_MakeDialog makes nothing
  std::optional<std::int32_t> lengthCellReply;  // left in ZU_GetEditTextString's length cell
};

// What the options dialog held when the user saw it.
struct OptionsDialogRun {
  std::string text3;
  std::string text4;
};

// Forgets every dialog, call, script and stored list.
void ResetDialogToolkit();

// The Layers dialog as the host makes it from its resource: controls 1 to 28, each at its own
// place (ResourceBounds), enabled, visible, value 0 and no text.
DialogRef MakeLayersDialog();
ControlBounds ResourceBounds(std::int32_t id);

// The record the host passes to ZUShaderInterfaceSetup for that dialog.
InterfaceRecord LayersDialogRecord(DialogRef dialog);

SimControl* FindSimControl(DialogRef dialog, std::int32_t id);
SimControl* ControlByRef(ControlRef control);
bool DialogExists(DialogRef dialog);
// The title the dialog shows; empty for an unknown dialog.
std::string DialogTitle(DialogRef dialog);

ToolkitScript& Script();
const std::vector<ToolkitCall>& ToolkitCalls();
std::vector<ToolkitCall> CallsTo(const std::string& function);
const std::vector<OptionsDialogRun>& OptionsDialogRuns();
// Dialogs made through ZU_MakeDialog and not destroyed yet.
std::size_t LiveMadeDialogCount();
// Texts passed as none where the host expects a text.
std::size_t NullTextCount();

// User gestures: each changes the control as the user would and then calls its hit function,
// if it has one. A control that is disabled, hidden or of another kind takes no gesture: the
// result is then false and nothing happens.
bool UserPress(DialogRef dialog, std::int32_t id);
bool UserSetValue(DialogRef dialog, std::int32_t id, std::int32_t value);
bool UserSetText(DialogRef dialog, std::int32_t id, const std::string& text);
// On list 11: each selects exactly the given rows, toggles a mark, edits or moves a row.
bool UserSelectRows(DialogRef dialog, const std::vector<std::int32_t>& rows);
bool UserToggleCheckMark(DialogRef dialog, std::int32_t row);
bool UserToggleRowMark(DialogRef dialog, std::int32_t row);
bool UserEditRowText(DialogRef dialog, std::int32_t row, const std::string& text);
bool UserMoveRow(DialogRef dialog, std::int32_t from, std::int32_t to);
// Calls the control's hit function whatever its state, as a host may; false without one.
bool HitAsHost(DialogRef dialog, std::int32_t id);

// Used by the exported functions.
namespace toolkit {
void RecordCall(ToolkitCall call);
DialogRef AddMadeDialog(std::int32_t resourceId);
void DestroyMadeDialog(DialogRef dialog);
ControlRef ControlRefOf(DialogRef dialog, std::int32_t id);
void SetDialogTitle(DialogRef dialog, const char* title);
void RecordOptionsRun(const OptionsDialogRun& run);
void CountNullText();
}  // namespace toolkit

}  // namespace hostsim
