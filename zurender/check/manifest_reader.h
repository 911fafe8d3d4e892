// What `zurender check` takes from a render's manifest.json: the frame it describes, the list it
// rendered and the files beside it. Any text at all gives the facts or one message naming the
// field; a field of the wrong type is such a message, never an abort.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "zurender/base/status.h"

namespace zurender {

struct ManifestFacts {
  int width = 0;
  int height = 0;
  int depth = 0;
  bool fog = false;
  std::vector<std::uint8_t> storedList;  // empty when nothing was stored
  std::vector<std::string> layerNames;   // in declaration order, as declared (Latin-1 bytes)
  std::vector<std::string> files;        // relative to the folder
  bool Lists(const std::string& file) const;
};

// `where` names the manifest in messages: "out/manifest.json: fog: expected true or false".
Result<ManifestFacts> ParseManifest(const std::string& text, const std::string& where);
Result<ManifestFacts> ReadManifest(const std::string& path);

}  // namespace zurender
