// The multi-layer EXR reader under libFuzzer: OpenEXR reads from memory, within a small frame's
// limits; any bytes give layers of the data window's size, or an error.
#include "fuzz/fuzz_support.h"
#include "zurender/output/exr_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zurender;
  const Result<ExrDocument> doc = ReadExr(std::span<const std::uint8_t>(data, size), fuzz::SmallFrame());
  if (!doc.ok()) return 0;
  const std::size_t window = std::size_t(doc->width) * std::size_t(doc->height);
  fuzz::Require(doc->merged.empty() || doc->merged.size() == window, "a merged image not of the window's size");
  for (const ExrLayer& layer : doc->layers) fuzz::Require(layer.pixels.size() == window, "a layer not of the window's size");
  return 0;
}
