// Blend modes: a layer's index in the stored list and the dialog's blend popup, and the
// four-character key of the layered image format that a declaration carries for it.
#pragma once

#include <cstdint>

#include "host/abi.h"

enum BlendMode : std::int32_t {
  kBlendNormal = 0,
  kBlendScreen = 1,
  kBlendDarken = 2,
  kBlendLighten = 3,
  kBlendHue = 4,
  kBlendSaturation = 5,
  kBlendColor = 6,
  kBlendLuminosity = 7,
  kBlendMultiply = 8,
  kBlendDissolve = 9,
  kBlendOverlay = 10,
  kBlendHardLight = 11,
  kBlendSoftLight = 12,
  kBlendDifference = 13,
  kBlendExclusion = 14,
  kBlendColorDodge = 15,
  kBlendColorBurn = 16,
  kBlendLinearBurn = 17,
  kBlendLinearDodge = 18,
  kBlendVividLight = 19,
  kBlendLinearLight = 20,
  kBlendPinLight = 21,
  kBlendHardMix = 22,
};

// Indices 0 to kBlendModeCount - 1; a layer with any other index is declared 'norm'.
constexpr std::int32_t kBlendModeCount = 23;

// The key of each index, first character most significant.
constexpr std::uint32_t kBlendModeKeys[kBlendModeCount] = {
    FourCC("norm"), FourCC("scrn"), FourCC("dark"), FourCC("lite"), FourCC("hue "), FourCC("sat "),
    FourCC("colr"), FourCC("lum "), FourCC("mul "), FourCC("diss"), FourCC("over"), FourCC("hLit"),
    FourCC("sLit"), FourCC("diff"), FourCC("smud"), FourCC("div "), FourCC("idiv"), FourCC("lbrn"),
    FourCC("lddg"), FourCC("vLit"), FourCC("lLit"), FourCC("pLit"), FourCC("hMix"),
};
