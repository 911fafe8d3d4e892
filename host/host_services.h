// Function types of the services the host hands to the plug-in through its records.
#pragma once

#include <cstdint>

#include "host/abi.h"

struct ColourValue;
struct LayerDeclaration;

// Allocates a block that stays valid until given back to the matching HostFreeFn; none on failure.
using HostAllocFn = void*(ZU_ABI*)(std::uint32_t byteCount);
// Releases a block that the matching HostAllocFn returned. Never called with none.
using HostFreeFn = void(ZU_ABI*)(void* block);
// Tells the host that a dialog item changed; data is read by the host during the call only.
using HostSetInfoFn = std::int32_t(ZU_ABI*)(std::uint32_t dialog, std::uint32_t code, std::int32_t item,
                                            void* data);
// Declares one output layer; 0 accepts it and leaves the host's id at offset 0 of the declaration.
using DeclareLayerFn = std::int32_t(ZU_ABI*)(LayerDeclaration* declaration);
// Fetches a component into value, or writes value into a layer (host/fill_service.h); 0 is success.
using FillServiceFn = std::int32_t(ZU_ABI*)(std::int32_t operation, std::int32_t argument, ColourValue* value);
// Walks the scene's lights: light in is the one to evaluate (none to start), light out the next one.
using NextLightFn = void(ZU_ABI*)(void** light, std::int32_t* shadowFlag, std::int32_t* third, float* factor,
                                  std::int32_t* fifth, std::int32_t* sixth, std::int32_t* seventh,
                                  float* shadowRed, float* shadowGreen, float* shadowBlue);
