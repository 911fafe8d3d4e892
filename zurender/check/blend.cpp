#include "zurender/check/blend.h"

#include <algorithm>
#include <cmath>

namespace zurender {
namespace {

constexpr std::uint32_t Key(const char (&k)[5]) {
  return std::uint32_t(std::uint8_t(k[0])) << 24 | std::uint32_t(std::uint8_t(k[1])) << 16 |
         std::uint32_t(std::uint8_t(k[2])) << 8 | std::uint32_t(std::uint8_t(k[3]));
}

float Clamp01(float v) { return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v); }

float Screen(float b, float s) { return b + s - b * s; }
float Multiply(float b, float s) { return b * s; }
float ColourDodge(float b, float s) {
  if (b <= 0.0f) return 0.0f;
  if (s >= 1.0f) return 1.0f;
  return std::min(1.0f, b / (1.0f - s));
}
float ColourBurn(float b, float s) {
  if (b >= 1.0f) return 1.0f;
  if (s <= 0.0f) return 0.0f;
  return 1.0f - std::min(1.0f, (1.0f - b) / s);
}
float HardLight(float b, float s) { return s <= 0.5f ? Multiply(b, 2.0f * s) : Screen(b, 2.0f * s - 1.0f); }
float SoftLight(float b, float s) {
  if (s <= 0.5f) return b - (1.0f - 2.0f * s) * b * (1.0f - b);
  const float d = b <= 0.25f ? ((16.0f * b - 12.0f) * b + 4.0f) * b : std::sqrt(std::max(b, 0.0f));
  return b + (2.0f * s - 1.0f) * (d - b);
}
float VividLight(float b, float s) {
  return s <= 0.5f ? ColourBurn(b, 2.0f * s) : ColourDodge(b, 2.0f * (s - 0.5f));
}
float PinLight(float b, float s) { return s <= 0.5f ? std::min(b, 2.0f * s) : std::max(b, 2.0f * s - 1.0f); }

using Separable = float (*)(float, float);

Separable SeparableMode(std::uint32_t key) {
  switch (key) {
    case Key("norm"): case Key("diss"): return [](float, float s) { return s; };
    case Key("scrn"): return Screen;
    case Key("dark"): return [](float b, float s) { return std::min(b, s); };
    case Key("lite"): return [](float b, float s) { return std::max(b, s); };
    case Key("mul "): return Multiply;
    case Key("over"): return [](float b, float s) { return HardLight(s, b); };
    case Key("hLit"): return HardLight;
    case Key("sLit"): return SoftLight;
    case Key("diff"): return [](float b, float s) { return std::fabs(b - s); };
    case Key("smud"): return [](float b, float s) { return b + s - 2.0f * b * s; };
    case Key("div "): return ColourDodge;
    case Key("idiv"): return ColourBurn;
    case Key("lbrn"): return [](float b, float s) { return b + s - 1.0f; };
    case Key("lddg"): return [](float b, float s) { return b + s; };
    case Key("vLit"): return VividLight;
    case Key("lLit"): return [](float b, float s) { return b + 2.0f * s - 1.0f; };
    case Key("pLit"): return PinLight;
    case Key("hMix"): return [](float b, float s) { return b + s >= 1.0f ? 1.0f : 0.0f; };
    default: return nullptr;
  }
}

// The non-separable modes, on luminosity and saturation as image editors define them.
float Lum(Rgb c) { return 0.3f * c.r + 0.59f * c.g + 0.11f * c.b; }
Rgb ClipColour(Rgb c) {
  const float l = Lum(c);
  const float n = std::min({c.r, c.g, c.b}), x = std::max({c.r, c.g, c.b});
  auto scale = [&](float v) {
    if (n < 0.0f && l - n != 0.0f) v = l + (v - l) * l / (l - n);
    if (x > 1.0f && x - l != 0.0f) v = l + (v - l) * (1.0f - l) / (x - l);
    return v;
  };
  return Rgb{scale(c.r), scale(c.g), scale(c.b)};
}
Rgb SetLum(Rgb c, float l) {
  const float d = l - Lum(c);
  return ClipColour(Rgb{c.r + d, c.g + d, c.b + d});
}
float Sat(Rgb c) { return std::max({c.r, c.g, c.b}) - std::min({c.r, c.g, c.b}); }
Rgb SetSat(Rgb c, float s) {
  float* v[3] = {&c.r, &c.g, &c.b};
  std::sort(v, v + 3, [](const float* a, const float* b) { return *a < *b; });
  if (*v[2] > *v[0]) {
    *v[1] = (*v[1] - *v[0]) * s / (*v[2] - *v[0]);
    *v[2] = s;
  } else {
    *v[1] = *v[2] = 0.0f;
  }
  *v[0] = 0.0f;
  return c;
}

Rgb ClampRgb(Rgb c) { return Rgb{Clamp01(c.r), Clamp01(c.g), Clamp01(c.b)}; }

}  // namespace

bool KnownBlendKey(std::uint32_t key) {
  return SeparableMode(key) != nullptr || key == Key("hue ") || key == Key("sat ") || key == Key("colr") ||
         key == Key("lum ");
}

Rgb Blend(std::uint32_t key, Rgb b, Rgb s, bool clip) {
  if (clip) {
    b = ClampRgb(b);
    s = ClampRgb(s);
  }
  Rgb out;
  if (const Separable mode = SeparableMode(key)) {
    out = Rgb{mode(b.r, s.r), mode(b.g, s.g), mode(b.b, s.b)};
  } else if (key == Key("hue ")) {
    out = SetLum(SetSat(s, Sat(b)), Lum(b));
  } else if (key == Key("sat ")) {
    out = SetLum(SetSat(b, Sat(s)), Lum(b));
  } else if (key == Key("colr")) {
    out = SetLum(s, Lum(b));
  } else if (key == Key("lum ")) {
    out = SetLum(b, Lum(s));
  } else {
    out = s;  // an editor shows an unknown mode as normal
  }
  return clip ? ClampRgb(out) : out;
}

Rgba Composite(std::uint32_t key, Rgba backdrop, Rgba source, bool clip) {
  const float as = clip ? Clamp01(source.alpha) : source.alpha, ab = backdrop.alpha;
  const float ao = as + ab * (1.0f - as);
  if (ao <= 0.0f) return Rgba{Rgb{0.0f, 0.0f, 0.0f}, 0.0f};
  const Rgb mixed = Blend(key, backdrop.colour, source.colour, clip);
  auto channel = [&](float cb, float cs, float m) {
    return (as * (1.0f - ab) * cs + as * ab * m + (1.0f - as) * ab * cb) / ao;
  };
  Rgba out{Rgb{channel(backdrop.colour.r, source.colour.r, mixed.r), channel(backdrop.colour.g, source.colour.g, mixed.g),
               channel(backdrop.colour.b, source.colour.b, mixed.b)},
           ao};
  if (clip) out.colour = ClampRgb(out.colour);
  return out;
}

}  // namespace zurender
