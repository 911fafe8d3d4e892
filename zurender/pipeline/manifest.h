// manifest.json: what was rendered, with which settings, and what every layer is.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "zurender/settings/settings_file.h"

namespace zurender {

struct ManifestLayer {
  std::string name;        // as declared: Windows-1252 bytes (written in UTF-8)
  std::string kind;        // the layer kind it was made from, or "" when the host cannot tell
  std::uint32_t blendKey = 0;
  std::int32_t component = -1;
  std::string filledBy;    // "host", "plug-in", or "host, then plug-in"
  bool visible = true;
  std::string preview;     // its preview file, relative to the output folder
  std::optional<std::int32_t> mask;  // a mask layer's number
};

struct ManifestTimings {
  double totalSeconds = 0;
  double traceSeconds = 0;
  double pluginSeconds = 0;
  double writeSeconds = 0;
};

struct Manifest {
  std::string scene;       // the scene file, or "built-in"
  bool sceneHasFog = false;
  int width = 0;
  int height = 0;
  int depth = 16;
  std::string plugin;      // the plug-in library loaded
  PluginSettings settings;
  std::string settingsSource = "default";  // "default", "file NAME" or "preset NAME"
  std::vector<ManifestLayer> layers;  // in declaration order: the first is the top of the stack
  std::vector<std::string> files;
  std::uint64_t rays = 0;
  ManifestTimings timings;
};

std::string ManifestToJson(const Manifest& manifest);

// The name of a host component number, or "" for none.
const char* ComponentName(std::int32_t component);

}  // namespace zurender
