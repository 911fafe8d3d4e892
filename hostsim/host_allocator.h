// The host's allocator: the pair of functions the plug-in gets through the shader record, over
// blocks this object accounts for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <unordered_map>

#include "host/host_services.h"
#include "hostsim/callback_slot.h"

namespace hostsim {

// An allocate and release function that belong together, as a shader record carries them.
struct AllocatorPair {
  HostAllocFn allocate = nullptr;
  HostFreeFn release = nullptr;
};

// Blocks come from the C heap. The plug-in records the pair of the last initialize or finish it
// was given and releases its dialog list through it when the library is unloaded, so an allocator
// must outlive every library that was given its pair. Blocks still live when it goes are freed.
class HostAllocator {
 public:
  HostAllocator();
  ~HostAllocator();
  HostAllocator(const HostAllocator&) = delete;
  HostAllocator& operator=(const HostAllocator&) = delete;

  // The functions to hand to the plug-in, which reach this object while it lives.
  AllocatorPair functions() const { return {allocateSlot_.function(), releaseSlot_.function()}; }

  // A block of byteCount bytes filled with 0xCD (at least one byte is taken for 0), or none when
  // the heap has no room.
  void* Allocate(std::uint32_t byteCount);
  // Fills the block with 0xDD and frees it. A pointer that is not a live block of this allocator
  // (released already, someone else's, or none) is counted and left alone.
  void Release(void* block);

  std::size_t LiveBlockCount() const { return live_.size(); }
  std::size_t LiveByteCount() const { return liveBytes_; }
  std::size_t BadReleaseCount() const { return badReleases_; }
  // Size of a live block, or -1 when the pointer is not one.
  std::int64_t BlockSize(const void* block) const;
  // Calls visit with every live block and its size, in no particular order.
  void ForEachLiveBlock(const std::function<void(const void* block, std::uint32_t size)>& visit) const;

 private:
  std::unordered_map<void*, std::uint32_t> live_;
  std::size_t liveBytes_ = 0;
  std::size_t badReleases_ = 0;
  CallbackSlot<&HostAllocator::Allocate> allocateSlot_{*this, "host allocators"};
  CallbackSlot<&HostAllocator::Release> releaseSlot_{*this, "host allocators"};
};

}  // namespace hostsim
