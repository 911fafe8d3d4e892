// Shading recordings under libFuzzer: a recording of a frame of at most 8x8 pixels, of the size
// its header states, is read and replayed pixel by pixel as a render replays it.
#include <cstring>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "zurender/pipeline/shading_source.h"
#include "zurender/base/byte_source.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zurender;
  std::uint32_t header[5] = {};
  if (size >= sizeof header) std::memcpy(header, data, sizeof header);
  // The render gives the size it renders; here it is the header's own, when it is small.
  const int width = header[2] >= 1 && header[2] <= 8 ? int(header[2]) : 1;
  const int height = header[3] >= 1 && header[3] <= 8 ? int(header[3]) : 1;
  const auto source = ByteSource::FromMemory(std::span<const std::uint8_t>(data, size));
  std::string error;
  const std::unique_ptr<ShadingRecord> record = ShadingRecord::FromSource(*source, width, height, error);
  if (record == nullptr) {
    fuzz::Require(!error.empty(), "a refused recording without a reason");
    return 0;
  }
  fuzz::Require(record->LightCount() >= 0 && std::uint32_t(record->LightCount()) <= ShadingRecord::kMostRecordedLights,
                "a light count out of range");
  std::vector<LightSample> lights(std::size_t(record->LightCount()));
  std::uint64_t rays = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      PixelShade shade;
      record->Shade(x, y, shade, lights.data(), rays);
    }
  return 0;
}
