// The host's dialog toolkit: the dialogs and controls behind the dialog functions the host
// exports (dialog_exports.cpp), the Layers dialog as the host makes it from its resource, the
// options dialog and kind menu the plug-in opens, and what the user does in them.
//
// One toolkit per dialog session. The exported functions find the toolkit by the handle they are
// given: every handle names the toolkit that issued it, and no two live toolkits issue the same.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "host/host_dialog.h"
#include "host/interface_record.h"
#include "hostsim/dialog_resources.h"
#include "hostsim/dialog_user.h"
#include "hostsim/toolkit_probe.h"

namespace hostsim {

struct ListRow {
  std::string text;
  std::int32_t itemId = 0;
  std::int32_t flags = 0;  // kRowChecked, kRowMarked
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
  // What the resource gives a person to read: the control's label, its title's width, and a
  // popup's items. Empty in the test resource, whose controls have no words.
  std::string label;
  std::int32_t labelWidth = 0;
  std::vector<std::string> items;
  HitFunction hit = nullptr;
  bool drawImmediate = false;
  // List controls only.
  std::int32_t listFlags = 0;
  std::vector<ListRow> rows;
  std::int32_t scrolledTo = -1;
};

// Where the Layers dialog's resource puts control id: every control at its own place and of its
// own size, so that a layout that mixes them up shows.
ControlBounds LayersResourceBounds(std::int32_t id);

class DialogToolkit {
 public:
  // At most kCallbackSlots toolkits live at once; one more is an error.
  DialogToolkit();
  ~DialogToolkit();
  DialogToolkit(const DialogToolkit&) = delete;
  DialogToolkit& operator=(const DialogToolkit&) = delete;

  // The value this toolkit hands over in the interface record. The plug-in makes its options
  // dialog through a cell that holds it, which is how the host finds the dialog's resources.
  std::uint32_t resourceValue() const { return resourceValue_; }

  // The Layers dialog as the host makes it from its resource: controls 1 to 28, each at its own
  // place (LayersResourceBounds), enabled, visible, value 0 and no text.
  DialogRef MakeLayersDialog();
  // The Layers dialog made from a resource that a person reads (LayersDialogResource): its
  // controls where the resource puts them, with their labels and items, enabled, visible, value 0
  // and no text.
  DialogRef MakeLayersDialog(const DialogResource& resource);
  // The record the host passes to ZUShaderInterfaceSetup for that dialog.
  InterfaceRecord LayersDialogRecord(DialogRef dialog, HostSetInfoFn setInfo) const;

  SimControl* FindControl(DialogRef dialog, std::int32_t id);
  const SimControl* FindControl(DialogRef dialog, std::int32_t id) const;
  SimControl* ControlByRef(ControlRef control);
  ControlRef ControlRefOf(DialogRef dialog, std::int32_t id) const;
  bool DialogExists(DialogRef dialog) const { return dialogs_.count(dialog) != 0; }
  // The title the dialog shows; empty for an unknown dialog.
  std::string DialogTitle(DialogRef dialog) const;
  // The dialog's size as its resource gives it, {0, 0, width, height}; all 0 when unknown.
  ControlBounds DialogFrame(DialogRef dialog) const;
  // The dialog ZU_ExecuteDialog is running, while the user answers it; 0 otherwise.
  DialogRef ExecutingDialog() const { return executing_; }
  // Dialogs the plug-in made through ZU_MakeDialog and has not destroyed.
  std::size_t LiveMadeDialogCount() const;
  // Texts the plug-in passed as none where the host expects one (taken as empty).
  std::size_t NullTextCount() const { return nullTexts_; }

  // Who answers the menus and dialogs the plug-in opens; without one nothing is chosen and the
  // options dialog is cancelled. Who sees the calls; without one nobody. Both must outlive their
  // use here.
  void SetUser(DialogUser* user) { user_ = user; }
  void SetProbe(ToolkitProbe* probe) { probe_ = probe; }

  // User gestures: each changes the control as the user would and then calls its hit function,
  // if it has one. A control that is disabled, hidden or of another kind takes no gesture: the
  // result is then false and nothing happens.
  bool Press(DialogRef dialog, std::int32_t id);
  bool SetValue(DialogRef dialog, std::int32_t id, std::int32_t value);
  bool SetText(DialogRef dialog, std::int32_t id, const std::string& text);
  // On the layer list: each selects exactly the given rows, toggles a mark, edits or moves a row.
  bool SelectRows(DialogRef dialog, const std::vector<std::int32_t>& rows);
  bool ToggleCheckMark(DialogRef dialog, std::int32_t row);
  bool ToggleRowMark(DialogRef dialog, std::int32_t row);
  bool EditRowText(DialogRef dialog, std::int32_t row, const std::string& text);
  bool MoveRow(DialogRef dialog, std::int32_t from, std::int32_t to);
  // Calls the control's hit function whatever its state, as a host may; false without one.
  bool HitAsHost(DialogRef dialog, std::int32_t id);

  // The live toolkit that issued a handle or resource value, or none.
  static DialogToolkit* OwnerOfDialog(DialogRef dialog);
  static DialogToolkit* OwnerOfControl(ControlRef control);
  static DialogToolkit* OwnerOfResource(std::uint32_t resourceValue);

  // What the exported dialog functions do on this toolkit's dialogs (dialog_calls.cpp): one
  // member of each function's name and arguments (host/host_dialog.h). The rectangle's
  // arithmetic needs no dialog, and so no toolkit.
#define HOSTSIM_TOOLKIT_MEMBER_control(Name, result, parameters) result Name parameters;
#define HOSTSIM_TOOLKIT_MEMBER_dialog(Name, result, parameters) result Name parameters;
#define HOSTSIM_TOOLKIT_MEMBER_resource(Name, result, parameters) result Name parameters;
#define HOSTSIM_TOOLKIT_MEMBER_rectangle(Name, result, parameters) static result Name parameters;
#define HOSTSIM_TOOLKIT_MEMBER(Name, result, parameters, arguments, target) \
  HOSTSIM_TOOLKIT_MEMBER_##target(Name, result, parameters)
  ZU_HOST_DIALOG_FUNCTIONS(HOSTSIM_TOOLKIT_MEMBER)
#undef HOSTSIM_TOOLKIT_MEMBER
#undef HOSTSIM_TOOLKIT_MEMBER_rectangle
#undef HOSTSIM_TOOLKIT_MEMBER_resource
#undef HOSTSIM_TOOLKIT_MEMBER_dialog
#undef HOSTSIM_TOOLKIT_MEMBER_control

 private:
  struct SimDialog {
    std::int32_t resourceId = 0;  // 0 for the Layers dialog the host made itself
    bool madeByPlugin = false;
    std::string title;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::map<std::int32_t, ControlRef> controls;
  };

  DialogRef AddDialog(std::int32_t resourceId, bool madeByPlugin);
  void AddControl(DialogRef dialog, std::int32_t id, ControlKind kind, ControlBounds bounds);
  DialogRef AddDialogFrom(const DialogResource& resource, std::int32_t resourceId, bool madeByPlugin);
  SimControl* Operable(DialogRef dialog, std::int32_t id, ControlKind kind);
  bool ToggleRowFlag(DialogRef dialog, std::int32_t row, std::int32_t flag);
  void DeliverHit(DialogRef dialog, std::int32_t id);
  ListRow* RowOf(ControlRef list, std::int32_t row);
  const char* TextOrEmpty(const char* text);
  void Note(const char* function, ControlRef control, std::int32_t first = 0, std::int32_t second = 0,
            const char* text = nullptr);
  void NoteDialog(const char* function, DialogRef dialog, std::int32_t first = 0, std::int32_t second = 0,
                  const char* text = nullptr);

  std::size_t session_;  // this toolkit's place among the live ones, part of every handle it issues
  std::uint32_t resourceValue_;
  std::map<DialogRef, SimDialog> dialogs_;
  std::map<ControlRef, SimControl> controls_;
  std::size_t nullTexts_ = 0;
  DialogRef executing_ = 0;
  DialogUser* user_ = nullptr;
  ToolkitProbe* probe_ = nullptr;
};

}  // namespace hostsim
