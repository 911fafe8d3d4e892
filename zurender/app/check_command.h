// `zurender check DIR [--tolerance T]`: the check of a render's folder (zurender/check/render_folder.h),
// printed, with its verdict as the exit status.
#pragma once

#include <string>
#include <vector>

namespace zurender {

// Exit status of `zurender check` when the folder could not be checked at all.
constexpr int kCouldNotCheck = 3;

// args: DIR [--tolerance T]; the exit status: 0 when the stack rebuilds the render, 1 when it
// does not, 2 for a command written wrong, kCouldNotCheck when a file could not be read.
int RunCheckCommand(const std::vector<std::string>& args);

}  // namespace zurender
