// The blend modes an image editor applies to a layer stack, for every key the plug-in can
// declare, on linear values. Separable modes work per channel; hue, saturation, colour and
// luminosity on the whole colour.
#pragma once

#include <cstdint>

namespace zurender {

struct Rgb {
  float r, g, b;
};

// B(backdrop, source): the mixed colour before the source's alpha is applied. In float every
// mode is taken as its formula stands; at integer depths (clip) the inputs and the result are
// held to [0, 1], as an editor's integer pixels are.
Rgb Blend(std::uint32_t key, Rgb backdrop, Rgb source, bool clip);

// Whether the key is one the blend formulas know; any other key blends as 'norm'.
bool KnownBlendKey(std::uint32_t key);

// Composites a source with alpha over a backdrop with alpha (straight, not premultiplied):
//   alpha_o = a_s + a_b (1 - a_s),
//   alpha_o C_o = a_s (1 - a_b) C_s + a_s a_b B(C_b, C_s) + (1 - a_s) a_b C_b.
struct Rgba {
  Rgb colour;
  float alpha;
};
Rgba Composite(std::uint32_t key, Rgba backdrop, Rgba source, bool clip);

}  // namespace zurender
