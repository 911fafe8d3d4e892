#include "zurender/output/output_test_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace zurender::testing {

std::vector<ColourValue> PatternPixels(int width, int height, int seed, bool partlyTransparent, bool hdr) {
  std::vector<ColourValue> pixels(std::size_t(width) * std::size_t(height));
  const float scale = hdr ? 3.0f : 1.0f;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      ColourValue& p = pixels[std::size_t(y) * width + x];
      if (x < width / 2) {
        p = {1.0f, 0.25f * float(seed % 4), 0.5f, 0.125f * float(seed % 8)};
      } else {
        const float u = float(x) / float(width);
        const float v = float(y) / float(height);
        p = {1.0f, u * scale, v, float((x * 7 + y * 13 + seed * 31) % 97) / 96.0f};
        if (hdr) p.green = v * 2.0f - 0.5f;  // below 0 and above 1
      }
      if (partlyTransparent) p.alpha = float((x + y + seed) % 5) / 4.0f;
    }
  }
  return pixels;
}

std::vector<LayerView> Views(const std::vector<TestLayer>& layers) {
  std::vector<LayerView> views;
  for (const TestLayer& layer : layers) views.push_back(layer.view());
  return views;
}

std::optional<std::string> RunCommand(const std::string& command) {
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return std::nullopt;
  std::string out;
  char buffer[4096];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, got);
  if (::pclose(pipe) != 0) return std::nullopt;
  return out;
}

bool HaveImageMagick() { return RunCommand("identify -version >/dev/null 2>&1").has_value(); }

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "zurender-output-XXXXXX").string();
  if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

}  // namespace zurender::testing
