// Render values to the sample bytes of a layered image file: 8 and 16 bits clip to [0, 1] and round
// to the nearest step (NaN gives 0); 32 bits keep the float colour as it is. Transparency is clipped
// at every depth: outside [0, 1] it means nothing to an editor.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/colour_value.h"

namespace zurender {

enum class SampleKind { kColour, kAlpha };

// Which member of ColourValue a channel carries, and whether it is transparency.
struct ChannelSource {
  float ColourValue::*member;
  SampleKind kind;
};

inline std::uint8_t ToUnit8(float v) {
  if (!(v > 0.0f)) return 0;
  if (v >= 1.0f) return 255;
  return static_cast<std::uint8_t>(v * 255.0f + 0.5f);
}
inline std::uint16_t ToUnit16(float v) {
  if (!(v > 0.0f)) return 0;
  if (v >= 1.0f) return 65535;
  return static_cast<std::uint16_t>(v * 65535.0f + 0.5f);
}
inline float ClipUnit(float v) { return v > 0.0f ? (v < 1.0f ? v : 1.0f) : 0.0f; }

// Writes count samples (bytesPerSample = depth / 8 each, big-endian) from pixels to out.
void EncodeSamples(const ColourValue* pixels, std::size_t count, ChannelSource source, int depth, std::uint8_t* out);

}  // namespace zurender
