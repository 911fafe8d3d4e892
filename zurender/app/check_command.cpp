#include "zurender/app/check_command.h"

#include <cstdio>
#include <cstdlib>

#include "zurender/check/render_folder.h"

namespace zurender {

int RunCheckCommand(const std::vector<std::string>& args) {
  std::string dir;
  double tolerance = kDefaultTolerance;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--tolerance" && i + 1 < args.size()) {
      char* end = nullptr;
      tolerance = std::strtod(args[++i].c_str(), &end);
      if (end == args[i].c_str() || *end != '\0' || !(tolerance >= 0)) {
        std::fprintf(stderr, "zurender check: --tolerance: expected a number such as 1e-4\n");
        return 2;
      }
    } else if (args[i] == "-h" || args[i] == "--help") {
      std::printf("usage: zurender check DIR [--tolerance T]\n\n"
                  "Rebuilds the render in DIR from its files as an image editor would: the PSD's visible\n"
                  "layers bottom-up, each with its blend mode at the file's depth, and the EXR's layers in\n"
                  "float; reports the error against the Final Render, absolute and relative to the larger\n"
                  "of the pixel's value and 1, and what in the layer list keeps the stack from rebuilding it.\n\n"
                  "The layers rebuild the render when the EXR's relative error is within T (default %.0e;\n"
                  "at least %.1e for an EXR of half floats): float rounding, a few 1e-7 of a value, passes\n"
                  "on any scene, and a difference of 2e-4 on a pixel of value 1 does not.\n\n"
                  "Exit status: 0 when the layers rebuild the render, 1 when they do not, 2 for a command\n"
                  "written wrong, %d when a file could not be read (nothing was checked).\n",
                  kDefaultTolerance, kHalfTolerance, kCouldNotCheck);
      return 0;
    } else if (dir.empty()) {
      dir = args[i];
    } else {
      std::fprintf(stderr, "zurender check: expected one folder\n");
      return 2;
    }
  }
  if (dir.empty()) {
    std::fprintf(stderr, "zurender check: expected the folder of a render (see zurender check --help)\n");
    return 2;
  }
  const CheckReport report = CheckRenderFolder(dir);
  if (!report.error.empty()) {
    std::fprintf(stderr, "zurender check: cannot check the render: %s\n", report.error.c_str());
    return kCouldNotCheck;
  }
  std::fputs(FormatCheckReport(report, tolerance).c_str(), stdout);
  return Rebuilds(report, tolerance) ? 0 : 1;
}

}  // namespace zurender
