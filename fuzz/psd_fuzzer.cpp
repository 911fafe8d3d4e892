// The layered-image reader under libFuzzer, reading from memory within a small frame's limits:
// any bytes give a document whose planes all have the canvas's size, or an error.
#include "fuzz/fuzz_support.h"
#include "zurender/output/psd_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zurender;
  const Result<PsdDocument> doc = ReadPsd(std::span<const std::uint8_t>(data, size), fuzz::SmallFrame());
  if (!doc.ok()) return 0;
  const std::size_t canvas = std::size_t(doc->width) * std::size_t(doc->height);
  fuzz::Require(doc->width >= 1 && doc->height >= 1, "an empty canvas");
  fuzz::Require(doc->merged.size() == canvas, "a merged image not of the canvas's size");
  for (const PsdLayer& layer : doc->layers) fuzz::Require(layer.pixels.size() == canvas, "a layer not of the canvas's size");
  return 0;
}
