// `zurender studio [SCENE] [--settings FILE] [--port N] [-o DIR]`: the plug-in's Layers dialog and
// the render on a local web page (zurender/studio/), until interrupted.
#pragma once

#include <string>
#include <vector>

namespace zurender {

// args: what follows `studio`; the exit status.
int RunStudioCommand(const std::vector<std::string>& args, const std::string& pluginPath);

}  // namespace zurender
