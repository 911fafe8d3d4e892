// The substitute host's allocator: what the plug-in gets through the shader record, with
// accounting of every live block and injected failures.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "host/abi.h"

namespace hostsim {

// The pair handed to the plug-in as the host's allocate and release functions.
void* ZU_ABI HostSimAlloc(std::uint32_t byteCount);
void ZU_ABI HostSimFree(void* block);

// Gives back every live block and forgets all counts and injected failures.
void ResetAllocator();

std::size_t LiveBlockCount();
std::size_t LiveByteCount();
// Allocation requests since the last reset, refused ones included.
std::uint32_t AllocationCount();
// Releases of a pointer that is not a live block: double frees, foreign pointers and none.
std::size_t BadFreeCount();
std::vector<const void*> LiveBlocks();
// The live block that holds exactly this text with its terminator, or none.
const void* FindLiveString(const std::string& text);
// Size of a live block, or -1 when the pointer is not one.
std::int64_t BlockSize(const void* block);

// Refuses the n-th request counted from the last reset (1 is the first); 0 refuses none.
void FailAllocationNumber(std::uint32_t n);
// Refuses the n-th request and every one after it; 0 refuses none.
void FailAllocationsFrom(std::uint32_t n);

}  // namespace hostsim
