#include "zurender/output/srgb.h"

#include <array>
#include <cmath>

namespace zurender {
namespace {

double DecodeCurve(double encoded) {
  return encoded <= 0.04045 ? encoded / 12.92 : std::pow((encoded + 0.055) / 1.055, 2.4);
}

// thresholds[c] is the linear value halfway (in sRGB) between codes c-1 and c: a value at or
// above it rounds to c or higher. Eight comparisons find the code, exactly as the curve rounds.
struct Thresholds {
  std::array<float, 256> at{};
  Thresholds() {
    at[0] = 0.0f;
    for (int c = 1; c < 256; ++c) at[c] = static_cast<float>(DecodeCurve((c - 0.5) / 255.0));
  }
};

const Thresholds& Table() {
  static const Thresholds table;
  return table;
}

}  // namespace

std::uint8_t LinearToSrgb8(float linear) {
  if (!(linear > 0.0f)) return 0;
  const auto& at = Table().at;
  int code = 0;
  for (int step = 128; step > 0; step /= 2) {  // the steps add up to 255 at most
    if (linear >= at[code + step]) code += step;
  }
  return static_cast<std::uint8_t>(code);
}

float Srgb8ToLinear(std::uint8_t code) { return static_cast<float>(DecodeCurve(code / 255.0)); }

}  // namespace zurender
