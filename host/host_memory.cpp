#include "host/host_memory.h"

#include <limits>

namespace {
HostAllocFn gHostAlloc = nullptr;
HostFreeFn gHostFree = nullptr;
}  // namespace

void SetHostAllocator(HostAllocFn allocate, HostFreeFn release) {
  gHostAlloc = allocate;
  gHostFree = release;
}

void* HostAllocate(std::uint32_t byteCount) { return gHostAlloc ? gHostAlloc(byteCount) : nullptr; }

void HostRelease(void* block) {
  if (block != nullptr && gHostFree != nullptr) gHostFree(block);
}

void* HostAllocateArray(std::uint32_t count, std::uint32_t itemSize) {
  if (itemSize != 0 && count > std::numeric_limits<std::uint32_t>::max() / itemSize) return nullptr;
  return HostAllocate(count * itemSize);
}
