#include "render/blend_mode_key.h"

#include "host/abi.h"

namespace zu {

namespace {
constexpr std::uint32_t kBlendKeys[kBlendModeCount] = {
    FourCC("norm"), FourCC("scrn"), FourCC("dark"), FourCC("lite"), FourCC("hue "), FourCC("sat "),
    FourCC("colr"), FourCC("lum "), FourCC("mul "), FourCC("diss"), FourCC("over"), FourCC("hLit"),
    FourCC("sLit"), FourCC("diff"), FourCC("smud"), FourCC("div "), FourCC("idiv"), FourCC("lbrn"),
    FourCC("lddg"), FourCC("vLit"), FourCC("lLit"), FourCC("pLit"), FourCC("hMix"),
};
}  // namespace

std::uint32_t BlendModeKey(std::int32_t index) {
  // Compared unsigned so that negative indices fall outside the table too.
  const auto i = static_cast<std::uint32_t>(index);
  return i < kBlendModeCount ? kBlendKeys[i] : kBlendKeys[0];
}

}  // namespace zu
