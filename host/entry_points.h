// The seven functions the host finds by name in the plug-in library and calls, and their types.
//
// The library defines them (plugin/exports.cpp, which includes this header, so a definition that
// strays from its declaration does not compile); a host looks each one up by its name and calls
// it through the matching pointer type. All take the host's record, valid during the call only,
// and return a 32-bit code. None lets an exception out.
#pragma once

#include <cstdint>

#include "host/abi.h"

struct FillLayersRecord;
struct HostInfoRecord;
struct InitLayersRecord;
struct InterfaceRecord;
struct ShaderInfoRecord;
struct ShaderRecord;

extern "C" {
std::int32_t ZU_ABI ZUShaderInformation(ShaderInfoRecord* record) noexcept;
std::int32_t ZU_ABI ZUShaderHostInfo(HostInfoRecord* record) noexcept;
std::int32_t ZU_ABI ZUShaderInitialize(ShaderRecord* record) noexcept;
std::int32_t ZU_ABI ZUShaderInitLayers(InitLayersRecord* record) noexcept;
std::int32_t ZU_ABI ZUShaderFillLayers(FillLayersRecord* record) noexcept;
std::int32_t ZU_ABI ZUShaderFinish(ShaderRecord* record) noexcept;
std::int32_t ZU_ABI ZUShaderInterfaceSetup(InterfaceRecord* record) noexcept;
}

using ShaderInformationFn = decltype(&ZUShaderInformation);
using ShaderHostInfoFn = decltype(&ZUShaderHostInfo);
using ShaderInitializeFn = decltype(&ZUShaderInitialize);
using ShaderInitLayersFn = decltype(&ZUShaderInitLayers);
using ShaderFillLayersFn = decltype(&ZUShaderFillLayers);
using ShaderFinishFn = decltype(&ZUShaderFinish);
using ShaderInterfaceSetupFn = decltype(&ZUShaderInterfaceSetup);
