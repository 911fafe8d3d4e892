#include "plugin/param_block.h"

#include <cstring>
#include <initializer_list>

#include "host/parameter_block.h"
#include "persist/reverse_bytes.h"

namespace zu {

bool DecodeParamBlock(const std::uint8_t* data, std::uint32_t size, ParamBlock& out) {
  if (data == nullptr || size != kParamBlockBytes) return false;
  std::memcpy(&out, data, kParamBlockBytes);
  ReverseBytes(&out.magic, 4);
  ReverseBytes(&out.version, 4);
  if (out.magic != kParamBlockMagic || out.version != kParamBlockVersion) return false;
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
    case kCustomOutputPairPreset: return {params.outputPairCustom1, params.outputPairCustom2};
    default: return {0, 0};
  }
}

}  // namespace zu
