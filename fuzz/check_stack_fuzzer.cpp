// The check's stacking under libFuzzer, on a decoded pair: an input is a layered PSD and an EXR
// (a 4-byte big-endian length, that many PSD bytes, the rest EXR). Both are decoded within a
// small frame's limits, then stacked as `zurender check` stacks them, the EXR after it is found
// to agree with the PSD.
#include "fuzz/fuzz_support.h"
#include "zurender/check/render_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zurender;
  if (size < 4) return 0;
  const std::size_t psdSize = std::min<std::size_t>(size - 4, std::size_t(data[0]) << 24 | std::size_t(data[1]) << 16 |
                                                                  std::size_t(data[2]) << 8 | data[3]);
  const std::span<const std::uint8_t> psdBytes(data + 4, psdSize), exrBytes(data + 4 + psdSize, size - 4 - psdSize);
  const Result<PsdDocument> psd = ReadPsd(psdBytes, fuzz::SmallFrame());
  if (!psd.ok()) return 0;
  RenderFileFacts reference{"render.psd", psd->width, psd->height, psd->depth, {}};
  for (const PsdLayer& layer : psd->layers) reference.layers.push_back(layer.name);
  CheckReport report;
  fuzz::Require(StackRenderFile(reference, psd.value(), report).empty(), "a PSD disagrees with itself");
  fuzz::Require(report.stacks.size() == 1, "the PSD was not stacked");
  const Result<ExrDocument> exr = ReadExr(exrBytes, fuzz::SmallFrame());
  if (!exr.ok()) return 0;
  const std::string why = StackRenderFile(reference, exr.value(), report);
  fuzz::Require(why.empty() == (report.stacks.size() == 2), "an EXR stacked although it disagrees, or not although it agrees");
  (void)FormatCheckReport(report, 2e-4);
  return 0;
}
