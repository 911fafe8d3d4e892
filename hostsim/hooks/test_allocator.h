// The host's allocator as the tests use it: a HostAllocator behind an AllocationGate, with the
// accounting and inspection a leak or refusal check needs. Made fresh for each test.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "hostsim/hooks/allocation_gate.h"
#include "hostsim/hooks/live_blocks.h"
#include "hostsim/host_allocator.h"

namespace hostsim::hooks {

class TestAllocator {
 public:
  TestAllocator() : gate_(*allocator_) {}

  // The pair to hand to the plug-in: through the gate.
  AllocatorPair functions() const { return gate_.functions(); }

  std::size_t LiveBlockCount() const { return allocator_->LiveBlockCount(); }
  std::size_t LiveByteCount() const { return allocator_->LiveByteCount(); }
  // Releases of a pointer that is not a live block: double frees, foreign pointers and none.
  std::size_t BadFreeCount() const { return allocator_->BadReleaseCount(); }
  std::int64_t BlockSize(const void* block) const { return allocator_->BlockSize(block); }
  std::vector<const void*> LiveBlocks() const { return hooks::LiveBlocks(*allocator_); }
  const void* FindLiveString(const std::string& text) const { return hooks::FindLiveString(*allocator_, text); }

  // Requests since the last reset, refused ones included.
  std::uint32_t AllocationCount() const { return gate_.RequestCount(); }
  void FailAllocationNumber(std::uint32_t n) { gate_.RefuseNumber(n); }
  void FailAllocationsFrom(std::uint32_t n) { gate_.RefuseFrom(n); }

  // Gives back every live block and forgets all counts and refusals; the pair stays valid.
  void Reset() {
    allocator_.emplace();
    gate_.Reset();
  }

 private:
  std::optional<HostAllocator> allocator_{std::in_place};
  AllocationGate gate_;
};

}  // namespace hostsim::hooks
