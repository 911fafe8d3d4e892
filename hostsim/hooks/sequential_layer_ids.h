// A canned declare provider: takes every layer and numbers them in call order.
#pragma once

#include <cstdint>

#include "hostsim/declare_service.h"

namespace hostsim::hooks {

// Far from the list's own ids, so that a mix-up shows.
constexpr std::int32_t kFirstHostLayerId = 101;

class SequentialLayerIds : public DeclareProvider {
 public:
  std::int32_t Declare(const LayerDeclaration&, std::int32_t& hostLayerId) override {
    hostLayerId = next_++;
    return 0;
  }
  // Ids start again at kFirstHostLayerId.
  void Reset() { next_ = kFirstHostLayerId; }

 private:
  std::int32_t next_ = kFirstHostLayerId;
};

}  // namespace hostsim::hooks
