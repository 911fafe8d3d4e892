// Record passed to ZUShaderInitialize and ZUShaderFinish.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/host_services.h"

struct ShaderRecord {
  void* instance;                    // written by ZUShaderInitialize, read and cleared by ZUShaderFinish
  HostAllocFn allocate;              // host's allocator, valid for the life of the process
  HostFreeFn release;                // its matching release
  std::uint32_t parameterSize;       // bytes of stored parameter data
  const std::uint8_t* parameterData; // host-owned stored parameter data, valid during the call
};

static_assert(offsetof(ShaderRecord, instance) == 0);
static_assert(offsetof(ShaderRecord, allocate) == 4);
static_assert(offsetof(ShaderRecord, release) == 8);
static_assert(offsetof(ShaderRecord, parameterSize) == 12);
static_assert(offsetof(ShaderRecord, parameterData) == 16);
static_assert(sizeof(ShaderRecord) == 20);
