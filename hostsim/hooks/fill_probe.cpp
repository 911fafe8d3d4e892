#include "hostsim/hooks/fill_probe.h"

namespace hostsim::hooks {

std::int32_t FillProbe::ChosenFailure(std::int32_t operation, std::int32_t argument) const {
  if (calls_ == failNumber_) return failCode_;
  for (const Rule& rule : rules_)
    if (rule.operation == operation && rule.argument == argument) return rule.code;
  return 0;
}

std::int32_t FillProbe::Serve(std::int32_t operation, std::int32_t argument, ColourValue* value) {
  ++calls_;
  std::int32_t result = ChosenFailure(operation, argument);
  if (result == 0) result = inner_ != nullptr ? inner_(operation, argument, value) : -1;
  if (log_.size() < kLogLimit)
    log_.push_back(FillCall{operation, argument, result == 0 && value != nullptr ? *value : ColourValue{}, result});
  return result;
}

void FillProbe::Reset() {
  log_.clear();
  rules_.clear();
  calls_ = 0;
  failNumber_ = 0;
  failCode_ = 0;
}

}  // namespace hostsim::hooks
