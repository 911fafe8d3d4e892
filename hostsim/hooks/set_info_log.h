// A log between the plug-in and a HostSetInfo: what the plug-in told the host, in order.
#pragma once

#include <cstdint>
#include <vector>

#include "host/host_services.h"
#include "hostsim/callback_slot.h"

namespace hostsim::hooks {

struct SetInfoCall {
  std::uint32_t dialog;
  std::uint32_t code;
  std::int32_t item;
  bool withData;
};

class SetInfoLog {
 public:
  explicit SetInfoLog(HostSetInfoFn inner) : inner_(inner) {}

  // The callback to hand to the plug-in instead of inner.
  HostSetInfoFn function() const { return slot_.function(); }
  std::int32_t SetInfo(std::uint32_t dialog, std::uint32_t code, std::int32_t item, void* data) {
    calls_.push_back(SetInfoCall{dialog, code, item, data != nullptr});
    return inner_ != nullptr ? inner_(dialog, code, item, data) : 0;
  }

  const std::vector<SetInfoCall>& Calls() const { return calls_; }
  void Clear() { calls_.clear(); }

 private:
  HostSetInfoFn inner_;
  std::vector<SetInfoCall> calls_;
  CallbackSlot<&SetInfoLog::SetInfo> slot_{*this, "set-info logs"};
};

}  // namespace hostsim::hooks
