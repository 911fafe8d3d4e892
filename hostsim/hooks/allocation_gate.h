// Failure injection for the host's allocator: a gate between the plug-in and a HostAllocator that
// counts the plug-in's requests and refuses the ones a test chooses.
#pragma once

#include <cstdint>

#include "hostsim/callback_slot.h"
#include "hostsim/host_allocator.h"

namespace hostsim::hooks {

class AllocationGate {
 public:
  // allocator must outlive the gate.
  explicit AllocationGate(HostAllocator& allocator) : allocator_(allocator) {}

  // The pair to hand to the plug-in instead of the allocator's own.
  AllocatorPair functions() const { return {allocateSlot_.function(), releaseSlot_.function()}; }

  void* Allocate(std::uint32_t byteCount);
  void Release(void* block) { allocator_.Release(block); }

  // Requests since the last reset, refused ones included.
  std::uint32_t RequestCount() const { return requests_; }
  // Refuses the n-th request counted from the last reset (1 is the first); 0 refuses none.
  void RefuseNumber(std::uint32_t n) { refuseNumber_ = n; }
  // Refuses the n-th request and every one after it; 0 refuses none.
  void RefuseFrom(std::uint32_t n) { refuseFrom_ = n; }
  // Forgets the count and the refusals.
  void Reset();

 private:
  HostAllocator& allocator_;
  std::uint32_t requests_ = 0;
  std::uint32_t refuseNumber_ = 0;
  std::uint32_t refuseFrom_ = 0;
  CallbackSlot<&AllocationGate::Allocate> allocateSlot_{*this, "allocation gates"};
  CallbackSlot<&AllocationGate::Release> releaseSlot_{*this, "allocation gates"};
};

}  // namespace hostsim::hooks
