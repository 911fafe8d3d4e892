#include "hostsim/records.h"

#include <cstring>

namespace hostsim {
namespace {
void PutBigEndian(std::uint8_t* out, std::uint32_t word) {
  out[0] = std::uint8_t(word >> 24);
  out[1] = std::uint8_t(word >> 16);
  out[2] = std::uint8_t(word >> 8);
  out[3] = std::uint8_t(word);
}
}  // namespace

ParamBytes EncodeParamBlock(const ParamWords& w) {
  ParamBytes bytes{};
  const std::uint32_t words[9] = {w.magic,
                                  std::uint32_t(w.version),
                                  0,
                                  std::uint32_t(w.nameMode),
                                  std::uint32_t(w.outputPairEnabled),
                                  std::uint32_t(w.outputPairPreset),
                                  std::uint32_t(w.edgeMask),
                                  std::uint32_t(w.outputPairCustom1),
                                  std::uint32_t(w.outputPairCustom2)};
  for (int i = 0; i < 9; ++i) PutBigEndian(&bytes[4 * i], words[i]);
  std::memcpy(&bytes[8], &w.storedList, 4);
  return bytes;
}

std::uint32_t HostAddress(const void* block) { return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(block)); }

ShaderRecord MakeShaderRecord(AllocatorPair allocator, const std::uint8_t* data, std::uint32_t size) {
  return ShaderRecord{nullptr, allocator.allocate, allocator.release, size, data};
}

ShaderRecord MakeShaderRecord(AllocatorPair allocator, const ParamBytes& bytes) {
  return MakeShaderRecord(allocator, bytes.data(), std::uint32_t(bytes.size()));
}

HostInfoRecord MakeHostInfoRecord(std::uint32_t hostCode) { return HostInfoRecord{hostCode}; }

ShaderInfoRecord MakeShaderInfoRecord(std::uint32_t flags) { return ShaderInfoRecord{{0, 0, 0}, flags}; }

InitLayersRecord MakeInitLayersRecord(void* instance, DeclareLayerFn declare) {
  return InitLayersRecord{instance, 0, declare};
}

FillLayersRecord MakeFillLayersRecord(void* instance, NextLightFn nextLight, const void* renderContext,
                                      const void* surface, FillServiceFn fillService) {
  FillLayersRecord record{};
  record.instance = instance;
  record.nextLight = nextLight;
  record.renderContext = renderContext;
  record.surface = surface;
  record.fillService = fillService;
  return record;
}

InterfaceRecord MakeInterfaceRecord(std::uint32_t dialog, std::uint32_t resourceValue, HostSetInfoFn setInfo) {
  return InterfaceRecord{dialog, resourceValue, setInfo};
}

}  // namespace hostsim
