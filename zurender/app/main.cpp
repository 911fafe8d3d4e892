// zurender: the render host. Renders a scene through the ZU Layers plug-in, exactly as the
// rendering host drives it, and writes the layers it declares into files an artist opens; edits
// the plug-in's settings through its own Layers dialog; checks that the layers rebuild the render.
#if defined(_WIN32)
#include <windows.h>
#endif

#include <cstdio>
#include <exception>
#include <new>
#include <string>
#include <vector>

#include "zurender/app/check_command.h"
#include "zurender/app/render_command.h"
#include "zurender/app/render_options.h"
#if !defined(_WIN32)
#include "zurender/app/studio_command.h"
#endif
#include "zurender/app/layers_command.h"
#include "zurender/base/interruption.h"
#include "zurender/base/temporary_files.h"
#include "zurender/plugin/plugin_host.h"

namespace {

// Takes `--plugin LIB` out of a subcommand's arguments.
std::string TakePluginPath(std::vector<std::string>& args) {
  std::string path = zurender::DefaultPluginPath();
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--plugin" && i + 1 < args.size()) {
      path = args[i + 1];
      args.erase(args.begin() + std::ptrdiff_t(i), args.begin() + std::ptrdiff_t(i) + 2);
      break;
    }
    if (args[i].rfind("--plugin=", 0) == 0) {
      path = args[i].substr(9);
      args.erase(args.begin() + std::ptrdiff_t(i));
      break;
    }
  }
  return path;
}

int Run(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && (args[0] == "layers" || args[0] == "check" || args[0] == "studio")) {
    const std::string command = args[0];
    args.erase(args.begin());
    const std::string plugin = TakePluginPath(args);
#if !defined(_WIN32)
    if (command == "studio") return zurender::RunStudioCommand(args, plugin);
#endif
    if (command == "studio") {
      std::fprintf(stderr, "zurender: the studio is not part of this build\n");
      return 2;
    }
    return command == "layers" ? zurender::RunLayersCommand(args, plugin) : zurender::RunCheckCommand(args);
  }
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

}  // namespace

int main(int argc, char** argv) {
#if defined(_WIN32)
  // Layer names are printed in UTF-8, as they are on Linux.
  SetConsoleOutputCP(CP_UTF8);
#endif
  // The studio takes its signals itself: one Ctrl-C ends its server. Every other command ends on
  // them with its temporaries removed.
  if (argc < 2 || std::string(argv[1]) != "studio") zurender::InstallInterruptionHandler();
  // The last resort: whatever was not caught where it happened ends the program with one line.
  try {
    return Run(argc, argv);
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "zurender: out of memory\n");
  } catch (const std::exception& error) {
    std::fprintf(stderr, "zurender: internal error: %s\n", error.what());
  } catch (...) {
    std::fprintf(stderr, "zurender: internal error\n");
  }
  zurender::RemoveTemporariesForExit();
  return 2;
}
