// The shader's stored parameters as the host keeps them between sessions: nine 32-bit words,
// big-endian but for the third, which is the native address of the stored layer list. Words 4
// to 9 are the values of the Layers dialog's host-kept controls 5 to 10.
//
//   magic, version, storedList, nameMode, outputPairEnabled, outputPairPreset, edgeMask,
//   outputPairCustom1, outputPairCustom2
#pragma once

#include <cstdint>

#include "host/abi.h"

constexpr std::uint32_t kParamBlockBytes = 36;
constexpr std::uint32_t kParamBlockMagic = FourCC("LYER");  // the first word
constexpr std::int32_t kParamBlockVersion = 1;              // the second word

// How the list's base name joins each layer name (nameMode); any other mode: the layer name alone.
enum NameMode : std::int32_t {
  kBaseNameFirst = 1,  // base name, then the layer name
  kBaseNameLast = 2,   // layer name, then the base name
};

// outputPairPreset: presets 0 to 3 name a pair, this one takes the two custom words.
constexpr std::int32_t kCustomOutputPairPreset = 4;

static_assert(FourCC("LYER") == 0x4C594552u, "the first character is the most significant byte");
