#include "hostsim/hooks/declare_probe.h"

namespace hostsim::hooks {

std::int32_t DeclareProbe::Declare(LayerDeclaration* declaration) {
  if (declaration == nullptr) return inner_ != nullptr ? inner_(nullptr) : -1;  // nothing to keep
  declarations_.push_back(*declaration);
  if (declarations_.size() == refuseNumber_) {
    ids_.push_back(0);
    return refuseCode_;
  }
  const std::int32_t result = inner_ != nullptr ? inner_(declaration) : -1;
  ids_.push_back(result == 0 ? declaration->hostLayerId : 0);
  return result;
}

void DeclareProbe::Reset() {
  declarations_.clear();
  ids_.clear();
  refuseNumber_ = 0;
  refuseCode_ = 1;
}

}  // namespace hostsim::hooks
