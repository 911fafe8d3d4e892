// Shared pieces of the output tests: synthetic render layers and calls to ImageMagick.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/colour_value.h"
#include "zurender/output/layer_view.h"

namespace zurender::testing {

// A layer that owns its pixels, and the view the writers take of it.
struct TestLayer {
  std::string name;
  std::uint32_t blendKey;
  bool visible;
  std::vector<ColourValue> pixels;
  LayerView view() const { return {name, blendKey, visible, pixels}; }
};

// Pixels with a flat left half (so packed rows pay off), a gradient right half, and a per-layer
// pattern; alpha varies when partlyTransparent. Values stay within [0, 1] unless hdr.
std::vector<ColourValue> PatternPixels(int width, int height, int seed, bool partlyTransparent, bool hdr);

std::vector<LayerView> Views(const std::vector<TestLayer>& layers);

// Runs a shell command; its standard output, or nothing when it could not run or failed.
std::optional<std::string> RunCommand(const std::string& command);
bool HaveImageMagick();

// A fresh empty directory under the system's temporary directory, removed by the destructor.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace zurender::testing
