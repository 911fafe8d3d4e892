#include "zurender/output/psd_samples.h"

#include "zurender/base/byte_order.h"

namespace zurender {

void EncodeSamples(const ColourValue* pixels, std::size_t count, ChannelSource source, int depth, std::uint8_t* out) {
  const auto member = source.member;
  switch (depth) {
    case 8:
      for (std::size_t i = 0; i < count; ++i) out[i] = ToUnit8(pixels[i].*member);
      break;
    case 16:
      for (std::size_t i = 0; i < count; ++i) PutU16(out + 2 * i, ToUnit16(pixels[i].*member));
      break;
    default:
      if (source.kind == SampleKind::kAlpha) {
        for (std::size_t i = 0; i < count; ++i) PutF32(out + 4 * i, ClipUnit(pixels[i].*member));
      } else {
        for (std::size_t i = 0; i < count; ++i) PutF32(out + 4 * i, pixels[i].*member);
      }
      break;
  }
}

}  // namespace zurender
