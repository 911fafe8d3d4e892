#include "hostsim/hooks/allocation_gate.h"

namespace hostsim::hooks {

void* AllocationGate::Allocate(std::uint32_t byteCount) {
  const std::uint32_t number = ++requests_;
  if (number == refuseNumber_ || (refuseFrom_ != 0 && number >= refuseFrom_)) return nullptr;
  return allocator_.Allocate(byteCount);
}

void AllocationGate::Reset() {
  requests_ = 0;
  refuseNumber_ = 0;
  refuseFrom_ = 0;
}

}  // namespace hostsim::hooks
