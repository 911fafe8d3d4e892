// The render command's options: `zurender [SCENE] [options]`.
#pragma once

#include <string>
#include <vector>

namespace zurender {

struct RenderOptions {
  std::string scenePath;   // empty: the built-in scene
  std::string outDir = "out";
  int width = 640;
  int height = 480;
  int depth = 16;          // bits per channel of the PSD: 8, 16 or 32
  bool exrHalf = false;    // the EXR's layers in 16-bit half floats instead of 32-bit
  std::string pluginPath;  // empty: the plug-in built beside this program
  int threads = 0;         // 0: one per core
  std::string settingsPath;  // a settings file; empty: the plug-in's defaults
  std::string preset;        // a preset made through the Layers dialog; empty: none
  // For comparing builds of the plug-in: the host's answers of a render kept in a file, or taken
  // from one instead of tracing; and every value the plug-in wrote, kept in a file.
  std::string recordShading;
  std::string replayShading;
  std::string pluginWrites;
  bool help = false;
};

// The options, or an error naming the option and what was wrong with it.
struct ParsedRenderOptions {
  RenderOptions options;
  std::string error;
};

ParsedRenderOptions ParseRenderOptions(const std::vector<std::string>& args);

// The text of `zurender --help`.
std::string RenderUsage();

}  // namespace zurender
