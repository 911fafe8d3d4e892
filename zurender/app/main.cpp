// zurender: the render host. Renders a scene through the ZU Layers plug-in, exactly as the
// rendering host drives it, and writes the layers it declares into files an artist opens.
#include <cstdio>
#include <string>
#include <vector>

#include "zurender/app/render_command.h"
#include "zurender/app/render_options.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  const zurender::ParsedRenderOptions parsed = zurender::ParseRenderOptions(args);
  if (!parsed.error.empty()) {
    std::fprintf(stderr, "zurender: %s\n", parsed.error.c_str());
    return 2;
  }
  if (parsed.options.help) {
    std::fputs(zurender::RenderUsage().c_str(), stdout);
    return 0;
  }
  return zurender::RunRender(parsed.options);
}
