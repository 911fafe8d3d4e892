// The shader's stored parameters (host/parameter_block.h), decoded.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/parameter_block.h"

namespace zu {

struct ParamBlock {
  std::uint32_t magic;            // kParamBlockMagic
  std::int32_t version;           // kParamBlockVersion
  std::uint32_t storedList;       // native address of the host's stored layer list, 0 for none
  std::int32_t nameMode;          // a NameMode; any other value: the layer name alone
  std::int32_t outputPairEnabled;
  std::int32_t outputPairPreset;  // 0 to 4; kCustomOutputPairPreset takes the two custom words
  std::int32_t edgeMask;          // non-zero declares the "Edge Mask" layer first
  std::int32_t outputPairCustom1;
  std::int32_t outputPairCustom2;
};

static_assert(sizeof(ParamBlock) == kParamBlockBytes);
static_assert(offsetof(ParamBlock, storedList) == 8);
static_assert(offsetof(ParamBlock, outputPairCustom2) == 32);

// Checks size, magic and version and converts the stored words to native order.
// data may be none, which is invalid like any other bad block.
bool DecodeParamBlock(const std::uint8_t* data, std::uint32_t size, ParamBlock& out);

// Two values handed unchanged to the host in every layer declaration.
struct OutputPair {
  std::int32_t first;
  std::int32_t second;
};

OutputPair ComputeOutputPair(const ParamBlock& params);

}  // namespace zu
