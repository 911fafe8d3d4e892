// The check of a render's folder: the render rebuilt from its files as an image editor would,
// how far the stack is from the Final Render, and what in the layer list keeps it from rebuilding
// it. `zurender check DIR` makes it, and so does every render at its end and the studio.
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

// The stack rebuilds the render when every colour channel of every pixel is within the
// tolerance times the larger of the pixel's magnitude and 1. Float keeps about seven digits of
// any value, so the rounding of a stack grows with the value (a few 1e-7 of it); below 1 the
// allowance stays what it is at 1, because there the plug-in's own layer maths leaves more than
// rounding: the Shadows layer divides by at least 1e-4, so where less light than that arrives,
// Lights times Shadows gives back up to a quarter of 1e-4 less than the render has. 1e-4 passes
// both on any scene and fails a real difference of 2e-4 on a pixel of value 1.
constexpr double kDefaultTolerance = 1e-4;
// An EXR of half floats holds three digits where float holds seven: eight of its units at 1.
constexpr double kHalfTolerance = 8.0 * 9.765625e-04;

struct CheckedStack {
  std::string file;        // render.psd or render.exr
  std::string arithmetic;  // "8-bit", "16-bit", "float"; "half" for an EXR of half floats
  ErrorStats error;
};

struct CheckReport {
  std::string error;   // the folder could not be checked: the file and the reason
  std::vector<CheckedStack> stacks;
  // The stack that says whether the layers rebuild the render: the EXR's, or the PSD's in a
  // build that reads no EXR.
  std::size_t judged = 0;
  bool half = false;   // the judged stack's file holds half floats
  std::vector<std::string> notes;      // what was not checked, and why
  std::vector<std::string> obstacles;
};

CheckReport CheckRenderFolder(const std::string& dir);
// The relative error the judged stack may have: the tolerance, at least kHalfTolerance for half
// floats; and whether it is within it.
double Allowed(const CheckReport& report, double tolerance);
bool Rebuilds(const CheckReport& report, double tolerance);

// One decoded file of a render folder, as the check takes it: found to be of the render that
// reference describes, then its visible layers stacked against its Final Render into report.
// "" when done, else why the file is not of that render (and nothing is stacked).
std::string StackRenderFile(const RenderFileFacts& reference, const PsdDocument& psd, CheckReport& report);
#if ZURENDER_FULL_OUTPUTS
std::string StackRenderFile(const RenderFileFacts& reference, const ExrDocument& exr, CheckReport& report);
#endif
// The report as a short table and the verdict; for a report with an error, the error alone.
std::string FormatCheckReport(const CheckReport& report, double tolerance);

}  // namespace zurender
