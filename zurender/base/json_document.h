// JSON text as the render host reads it: scene files, settings files and manifests. Nothing is
// thrown; a mistake gives one short line. Beyond the standard, a key given twice in one object
// is a mistake (the standard leaves it open, and keeping the last one silently hides a typo).
#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "zurender/base/status.h"

namespace zurender {

// On failure the message is either the parser's, "parse error at line 4, column 7: ...", with
// the text it quotes cut short, or "<path>: duplicate key "<key>"" (the path as the scene errors
// give it: `objects[3]`, `materials.red`; none for the top level).
Result<nlohmann::json> ParseJsonText(const std::string& text);

}  // namespace zurender
