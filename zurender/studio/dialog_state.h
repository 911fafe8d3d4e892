// What the page draws of a dialog: every control as the host's toolkit holds it, exactly, with
// nothing the page would have to work out for itself.
#pragma once

#include <nlohmann/json.hpp>

#include "hostsim/dialog_toolkit.h"

namespace zurender {

// {title, width, height, controls: [{id, kind, bounds: [left, top, right, bottom], value, text,
// label, labelWidth, items, enabled, visible, rows: [{text, checked, marked, selected}]}]}, texts
// in UTF-8; an unknown dialog gives null.
nlohmann::json DialogState(const hostsim::DialogToolkit& toolkit, DialogRef dialog);

}  // namespace zurender
