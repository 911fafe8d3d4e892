#include "zurender/studio/dialog_state.h"

#include "host/layers_dialog_resource.h"
#include "zurender/base/text_encoding.h"

namespace zurender {
namespace {

// The resource's labels and items are the host's own texts, in UTF-8; what the plug-in sets
// (texts, rows, the title) are its bytes, read as Latin-1.

// Ids beyond any control of the host's dialogs, so that every one of them is found.
constexpr std::int32_t kHighestId = 64;

const char* KindWord(hostsim::ControlKind kind) {
  switch (kind) {
    case hostsim::ControlKind::Button: return "button";
    case hostsim::ControlKind::Checkbox: return "checkbox";
    case hostsim::ControlKind::Popup: return "popup";
    case hostsim::ControlKind::EditText: return "edit";
    case hostsim::ControlKind::List: return "list";
    case hostsim::ControlKind::Group: return "group";
    case hostsim::ControlKind::Separator: return "separator";
    case hostsim::ControlKind::Static: break;
  }
  return "static";
}

}  // namespace

nlohmann::json DialogState(const hostsim::DialogToolkit& toolkit, DialogRef dialog) {
  if (!toolkit.DialogExists(dialog)) return nullptr;
  const ControlBounds frame = toolkit.DialogFrame(dialog);
  nlohmann::json controls = nlohmann::json::array();
  for (std::int32_t id = 1; id <= kHighestId; ++id) {
    const hostsim::SimControl* c = toolkit.FindControl(dialog, id);
    if (c == nullptr) continue;
    nlohmann::json control = {{"id", c->id},
                              {"kind", KindWord(c->kind)},
                              {"bounds", {c->bounds.left, c->bounds.top, c->bounds.right, c->bounds.bottom}},
                              {"value", c->value},
                              {"text", Cp1252ToUtf8(c->text)},
                              {"label", c->label},
                              {"labelWidth", c->labelWidth},
                              {"items", c->items},
                              {"enabled", c->enabled},
                              {"visible", c->visible}};
    if (c->kind == hostsim::ControlKind::List) {
      nlohmann::json rows = nlohmann::json::array();
      for (const hostsim::ListRow& row : c->rows)
        rows.push_back({{"text", Cp1252ToUtf8(row.text)},
                        {"checked", (row.flags & kRowChecked) != 0},
                        {"marked", (row.flags & kRowMarked) != 0},
                        {"selected", row.selected}});
      control["rows"] = rows;
    }
    controls.push_back(control);
  }
  return {{"title", Cp1252ToUtf8(toolkit.DialogTitle(dialog))},
          {"width", frame.right},
          {"height", frame.bottom},
          {"controls", controls}};
}

}  // namespace zurender
