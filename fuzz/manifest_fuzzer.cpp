// The check's manifest reader under libFuzzer: any text gives the facts, within their ranges, or
// one message naming the manifest; a field of the wrong type is a message, never an abort.
#include "fuzz/fuzz_support.h"
#include "zurender/check/manifest_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zurender;
  const Result<ManifestFacts> facts = ParseManifest(fuzz::Text(data, size), "manifest.json");
  if (!facts.ok()) {
    fuzz::Require(facts.message().rfind("manifest.json: ", 0) == 0, "a message that does not name the manifest");
    return 0;
  }
  fuzz::Require(facts->width >= 1 && facts->width <= 30000 && facts->height >= 1 && facts->height <= 30000, "a size out of range");
  fuzz::Require(facts->depth == 8 || facts->depth == 16 || facts->depth == 32, "a depth out of range");
  return 0;
}
