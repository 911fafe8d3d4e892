// `zurender check DIR`: rebuilds the render from the files in DIR as an image editor would and
// says how far the stack is from the Final Render, and what in the layer list keeps it from
// rebuilding it. Also printed at the end of every render.
#pragma once

#include <string>
#include <vector>

#include "zurender/check/render_agreement.h"
#include "zurender/check/stack.h"
#include "zurender/output/psd_reader.h"
#if ZURENDER_FULL_OUTPUTS
#include "zurender/output/exr_reader.h"
#endif

namespace zurender {

constexpr double kDefaultTolerance = 2e-4;

struct CheckedStack {
  std::string file;    // render.psd or render.exr
  int depth = 32;      // bits of the stack's arithmetic: the PSD's depth, 32 for the EXR's floats
  ErrorStats error;
};

struct CheckReport {
  std::string error;   // the folder could not be checked
  std::vector<CheckedStack> stacks;
  double floatError = 0;  // the EXR stack's largest error; the PSD's in a build without EXR
  std::vector<std::string> obstacles;
};

CheckReport CheckRenderFolder(const std::string& dir);

// One decoded file of a render folder, as the check takes it: found to be of the render that
// reference describes, then its visible layers stacked against its Final Render into report.
// "" when done, else why the file is not of that render (and nothing is stacked).
std::string StackRenderFile(const RenderFileFacts& reference, const PsdDocument& psd, CheckReport& report);
#if ZURENDER_FULL_OUTPUTS
std::string StackRenderFile(const RenderFileFacts& reference, const ExrDocument& exr, CheckReport& report);
#endif
// The report as a short table; rebuilt says whether the float error is within the tolerance.
std::string FormatCheckReport(const CheckReport& report, double tolerance);

// args: DIR [--tolerance T]; the exit status: 0 when the float stack rebuilds the render.
int RunCheckCommand(const std::vector<std::string>& args);

}  // namespace zurender
