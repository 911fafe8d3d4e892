#include "plugin/param_block.h"

#include <cstring>
#include <initializer_list>

#include "host/abi.h"
#include "persist/reverse_bytes.h"

namespace zu {

namespace {
constexpr std::uint32_t kParamMagic = FourCC("LYER");
constexpr std::int32_t kParamVersion = 1;
}  // namespace

bool DecodeParamBlock(const std::uint8_t* data, std::uint32_t size, ParamBlock& out) {
  if (data == nullptr || size != kParamBlockSize) return false;
  std::memcpy(&out, data, kParamBlockSize);
  ReverseBytes(&out.magic, 4);
  ReverseBytes(&out.version, 4);
  if (out.magic != kParamMagic || out.version != kParamVersion) return false;
  // storedList is the host's native address and stays as stored.
  for (std::int32_t* word : {&out.nameMode, &out.outputPairEnabled, &out.outputPairPreset, &out.edgeMask,
                             &out.outputPairCustom1, &out.outputPairCustom2})
    ReverseBytes(word, 4);
  return true;
}

OutputPair ComputeOutputPair(const ParamBlock& params) {
  if (params.outputPairEnabled == 0) return {0, 0};
  switch (params.outputPairPreset) {
    case 0: return {1, 1};
    case 1: return {2, 0};
    case 2: return {2, 2};
    case 3: return {3, 0};
    case 4: return {params.outputPairCustom1, params.outputPairCustom2};
    default: return {0, 0};
  }
}

}  // namespace zu
