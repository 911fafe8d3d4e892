// A probe between the plug-in and a fill service: fails the calls a test chooses and, bounded,
// logs what passes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "host/colour_value.h"
#include "host/host_services.h"
#include "hostsim/callback_slot.h"

namespace hostsim::hooks {

struct FillCall {
  std::int32_t operation;
  std::int32_t argument;  // component number or host layer id
  ColourValue value;      // the component answered, or the value written; zeros when it failed
  std::int32_t result;
};

class FillProbe {
 public:
  // Calls kept in the log; later ones are counted but not kept until the log is cleared.
  static constexpr std::size_t kLogLimit = 4096;

  explicit FillProbe(FillServiceFn inner) : inner_(inner) { log_.reserve(kLogLimit); }

  // The service to hand to the plug-in instead of inner.
  FillServiceFn function() const { return slot_.function(); }
  std::int32_t Serve(std::int32_t operation, std::int32_t argument, ColourValue* value);

  // Makes the n-th call counted from the last reset (1 is the first) return code without passing
  // it on; 0 fails none.
  void FailCallNumber(std::uint32_t n, std::int32_t code) {
    failNumber_ = n;
    failCode_ = code;
  }
  // Makes every call with this operation and argument return code, until the next reset.
  void FailRequest(std::int32_t operation, std::int32_t argument, std::int32_t code) {
    rules_.push_back(Rule{operation, argument, code});
  }

  // Calls since the last reset or log clear, in order, at most kLogLimit of them.
  const std::vector<FillCall>& Calls() const { return log_; }
  void ClearLog() { log_.clear(); }
  // Calls since the last reset, whether logged or not.
  std::uint32_t CallCount() const { return calls_; }
  // Forgets the log, the count and the failures.
  void Reset();

 private:
  struct Rule {
    std::int32_t operation;
    std::int32_t argument;
    std::int32_t code;
  };
  std::int32_t ChosenFailure(std::int32_t operation, std::int32_t argument) const;

  FillServiceFn inner_;
  std::vector<FillCall> log_;
  std::vector<Rule> rules_;
  std::uint32_t calls_ = 0;
  std::uint32_t failNumber_ = 0;
  std::int32_t failCode_ = 0;
  CallbackSlot<&FillProbe::Serve> slot_{*this, "fill probes"};
};

}  // namespace hostsim::hooks
