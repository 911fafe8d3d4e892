// Builders for the records and stored blocks the host hands to the plug-in.
#pragma once

#include <array>
#include <cstdint>

#include "host/abi.h"
#include "host/fill_layers_record.h"
#include "host/host_info_record.h"
#include "host/init_layers_record.h"
#include "host/interface_record.h"
#include "host/parameter_block.h"
#include "host/shader_info_record.h"
#include "host/shader_record.h"
#include "hostsim/host_allocator.h"

namespace hostsim {

// The nine words of a parameter block, in native order.
struct ParamWords {
  std::uint32_t magic = kParamBlockMagic;
  std::int32_t version = kParamBlockVersion;
  std::uint32_t storedList = 0;  // host address of the stored list
  std::int32_t nameMode = 0;
  std::int32_t outputPairEnabled = 0;
  std::int32_t outputPairPreset = 0;
  std::int32_t edgeMask = 0;
  std::int32_t outputPairCustom1 = 0;
  std::int32_t outputPairCustom2 = 0;
};

using ParamBytes = std::array<std::uint8_t, kParamBlockBytes>;

// The stored form: every word big-endian except storedList, which the host keeps as a native address.
ParamBytes EncodeParamBlock(const ParamWords& words);

// Host address of a block, as the host puts it into storedList.
std::uint32_t HostAddress(const void* block);

// A shader record carrying the allocator's pair and the given parameter data.
ShaderRecord MakeShaderRecord(AllocatorPair allocator, const std::uint8_t* data, std::uint32_t size);
ShaderRecord MakeShaderRecord(AllocatorPair allocator, const ParamBytes& bytes);

HostInfoRecord MakeHostInfoRecord(std::uint32_t hostCode);
ShaderInfoRecord MakeShaderInfoRecord(std::uint32_t flags);
InitLayersRecord MakeInitLayersRecord(void* instance, DeclareLayerFn declare);
FillLayersRecord MakeFillLayersRecord(void* instance, NextLightFn nextLight, const void* renderContext,
                                      const void* surface, FillServiceFn fillService);
InterfaceRecord MakeInterfaceRecord(std::uint32_t dialog, std::uint32_t resourceValue, HostSetInfoFn setInfo);

}  // namespace hostsim
