#include "zurender/output/preview_png.h"

#include <new>
#include <vector>

#include "zurender/output/png_file.h"
#include "zurender/output/psd_samples.h"
#include "zurender/output/srgb.h"

namespace zurender {

Status WritePreviewPng(const std::string& path, int width, int height, std::span<const ColourValue> pixels) {
  if (width < 1 || height < 1 || pixels.size() != std::size_t(width) * std::size_t(height)) {
    return Status::Error("cannot write " + path + ": the layer is not width*height pixels");
  }
  try {
    bool opaque = true;
    for (const ColourValue& p : pixels) opaque = opaque && ToUnit8(p.alpha) == 255;
    const int channels = opaque ? 3 : 4;
    std::vector<std::uint8_t> bytes(pixels.size() * std::size_t(channels));
    std::uint8_t* out = bytes.data();
    for (const ColourValue& p : pixels) {
      *out++ = LinearToSrgb8(p.red);
      *out++ = LinearToSrgb8(p.green);
      *out++ = LinearToSrgb8(p.blue);
      if (!opaque) *out++ = ToUnit8(p.alpha);  // coverage is not gamma-encoded
    }
    return WritePng8(path, width, height, channels, bytes);
  } catch (const std::bad_alloc&) {
    return Status::Error("cannot write " + path + ": out of memory");
  }
}

}  // namespace zurender
