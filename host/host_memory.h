// The one way the plug-in gets memory that outlives a call: the host's allocator.
//
// ZUShaderInitialize and ZUShaderFinish record the host's pair; every later allocation and
// release goes through the pair last recorded. Before the first record both slots are empty and
// every allocation fails.
#pragma once

#include <cstdint>

#include "host/host_services.h"

void SetHostAllocator(HostAllocFn allocate, HostFreeFn release);

// A block from the host, or none when the host refuses or no allocator is recorded yet.
void* HostAllocate(std::uint32_t byteCount);

// Gives a block back to the host; none, or no recorded release, does nothing.
void HostRelease(void* block);

// Room for count items of itemSize bytes, or none when the byte size does not fit 32 bits.
void* HostAllocateArray(std::uint32_t count, std::uint32_t itemSize);
