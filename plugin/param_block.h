// The shader's stored parameters: nine 32-bit words kept by the host, big-endian but for word 2.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zu {

struct ParamBlock {
  std::uint32_t magic;            // 'LYER'
  std::int32_t version;           // 1
  std::uint32_t storedList;       // native address of the host's stored layer list, 0 for none
  std::int32_t nameMode;          // 1 base name first, 2 base name last, other: layer name alone
  std::int32_t outputPairEnabled;
  std::int32_t outputPairPreset;  // 0 to 4; 4 takes the two custom words
  std::int32_t edgeMask;          // non-zero declares the "Edge Mask" layer first
  std::int32_t outputPairCustom1;
  std::int32_t outputPairCustom2;
};

constexpr std::uint32_t kParamBlockSize = 36;
static_assert(sizeof(ParamBlock) == kParamBlockSize);
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
