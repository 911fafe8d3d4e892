#include "zurender/app/studio_command.h"

#include <pthread.h>
#include <signal.h>

#include <charconv>
#include <cstdio>
#include <thread>

#include "zurender/check/render_folder.h"
#include "zurender/pipeline/output_directory.h"
#include "zurender/pipeline/outputs.h"
#include "zurender/plugin/executable_path.h"
#include "zurender/scene/scene_file.h"
#include "zurender/studio/dialog_worker.h"
#include "zurender/studio/render_runner.h"
#include "zurender/studio/studio_server.h"

namespace zurender {
namespace {

constexpr const char* kUsage = R"(usage: zurender studio [SCENE] [--settings FILE] [--port N] [-o DIR] [--plugin LIB]

Serves a page on 127.0.0.1 on which the plug-in's own Layers dialog is used as in the host, and
renders are made and looked at, layer by layer. Prints the address to open; Ctrl-C stops it.

  SCENE            the scene the Render button renders (default: the built-in scene)
  --settings FILE  the settings file the dialog opens on and saves into when confirmed
                   (default: DIR/layers.json, made from the plug-in's default list if missing)
  --port N         the port (default 0: any free one; a taken port is replaced by a free one)
  -o, --out DIR    where renders go (default: out)
  --plugin LIB     the plug-in library (default: ZU_Layers beside this program)

Only requests that carry the token in the printed address, from this machine, are answered.
)";

struct StudioOptions {
  std::string scene;
  std::string settings;
  std::string outDir = "out";
  int port = 0;
  bool help = false;
};

bool Parse(const std::vector<std::string>& args, StudioOptions& o, std::string& error) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= args.size() || args[i + 1].empty()) {
        error = arg + ": expected a value";
        return false;
      }
      out = args[++i];
      return true;
    };
    if (arg == "-h" || arg == "--help") {
      o.help = true;
    } else if (arg == "--settings") {
      if (!value(o.settings)) return false;
    } else if (arg == "-o" || arg == "--out") {
      if (!value(o.outDir)) return false;
    } else if (arg == "--port") {
      std::string text;
      if (!value(text)) return false;
      const char* end = text.data() + text.size();
      auto [at, failed] = std::from_chars(text.data(), end, o.port);
      if (failed != std::errc() || at != end || o.port < 0 || o.port > 65535) {
        error = "--port: expected a number from 0 to 65535";
        return false;
      }
    } else if (!arg.empty() && arg[0] == '-') {
      error = arg + ": unknown option (see zurender studio --help)";
      return false;
    } else if (o.scene.empty()) {
      o.scene = arg;
    } else {
      error = "\"" + arg + "\": one scene at a time";
      return false;
    }
  }
  return true;
}

// The check of a rendered folder as the page shows it.
nlohmann::json CheckOf(const std::string& folder) {
  const CheckReport report = CheckRenderFolder(folder);
  nlohmann::json stacks = nlohmann::json::array();
  for (const CheckedStack& s : report.stacks)
    stacks.push_back({{"file", s.file},
                      {"arithmetic", s.arithmetic},
                      {"max", s.error.max},
                      {"mean", s.error.mean},
                      {"p99", s.error.p99},
                      {"relative", s.error.maxRelative}});
  const bool checked = report.error.empty() && !report.stacks.empty();
  return {{"error", report.error},
          {"stacks", stacks},
          {"judged", checked ? report.stacks[report.judged].file : std::string()},
          {"relativeError", checked ? report.stacks[report.judged].error.maxRelative : 0.0},
          {"tolerance", Allowed(report, kDefaultTolerance)},
          {"rebuilt", checked && Rebuilds(report, kDefaultTolerance)},
          {"obstacles", report.obstacles},
          {"text", FormatCheckReport(report, kDefaultTolerance)}};
}

int Fail(const std::string& message, int status = 1) {
  std::fprintf(stderr, "zurender studio: %s\n", message.c_str());
  return status;
}

}  // namespace

int RunStudioCommand(const std::vector<std::string>& args, const std::string& pluginPath) {
  StudioOptions options;
  std::string error;
  if (!Parse(args, options, error)) return Fail(error, 2);
  if (options.help) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  // What can be refused is refused before the page is served.
  if (!options.scene.empty()) {
    const Result<Scene> scene = LoadSceneFile(options.scene);
    if (!scene.ok()) return Fail(scene.message());
  }
  if (Status made = MakeOutputDirectory(options.outDir, kWritesPreviews); !made.ok()) return Fail(made.message());
  const std::string settings = options.settings.empty() ? options.outDir + "/layers.json" : options.settings;

  // Ctrl-C and a polite kill reach one thread, which stops the server; every other thread,
  // the plug-in's among them, runs undisturbed to its end.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  ::signal(SIGPIPE, SIG_IGN);  // a page closed mid-answer is not a reason to end

  DialogWorker dialog(pluginPath, settings);
  if (!dialog.Start(error)) return Fail(error);
  RenderRunner render(RenderSetup{ExecutablePath(), options.scene, options.outDir, settings, pluginPath, CheckOf});
  StudioServer server(StudioPlaces{options.outDir, settings}, dialog, render);
  if (!server.Bind(options.port, error)) return Fail(error);
  if (options.port != 0 && server.port() != options.port)
    std::printf("zurender studio: port %d is taken; listening on %d instead\n", options.port, server.port());
  std::printf("zurender studio: the Layers dialog on %s, renders into %s/\n", settings.c_str(), options.outDir.c_str());
  std::printf("zurender studio: open %s\n", server.Address().c_str());
  std::printf("zurender studio: Ctrl-C stops it\n");
  std::fflush(stdout);

  std::thread waiter([&server, stopSignals] {
    int signal = 0;
    sigwait(&stopSignals, &signal);
    server.Stop();
  });
  server.Run();
  // Stopped by a signal, or the server ended by itself: either way the waiter ends.
  pthread_kill(waiter.native_handle(), SIGTERM);
  waiter.join();
  std::printf("zurender studio: stopped\n");
  return 0;
}

}  // namespace zurender
