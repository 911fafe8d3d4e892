#include "hostsim/fill_service.h"

namespace hostsim {
namespace {

constexpr std::int32_t kTableSize = 32;   // more than the host's component numbers
constexpr std::size_t kLogReserve = 4096; // calls logged before the log itself allocates

struct FillRule {
  std::int32_t operation;
  std::int32_t argument;
  std::int32_t code;
};

struct FillState {
  ColourValue table[kTableSize] = {};
  std::vector<FillCall> log;
  std::vector<FillRule> rules;
  std::uint32_t calls = 0;
  std::uint32_t failNumber = 0;
  std::int32_t failCode = 0;
};

FillState& State() {
  static FillState* state = [] {
    auto* s = new FillState;  // never destroyed, like the allocator's
    s->log.reserve(kLogReserve);
    return s;
  }();
  return *state;
}

std::int32_t ChosenFailure(const FillState& s, std::int32_t operation, std::int32_t argument) {
  if (s.calls == s.failNumber) return s.failCode;
  for (const FillRule& rule : s.rules)
    if (rule.operation == operation && rule.argument == argument) return rule.code;
  return 0;
}

}  // namespace

std::int32_t ZU_ABI HostSimFillService(std::int32_t operation, std::int32_t argument, ColourValue* value) {
  FillState& s = State();
  ++s.calls;
  std::int32_t result = ChosenFailure(s, operation, argument);
  if (result == 0) {
    if (operation == kGetComponentOperation)
      *value = argument >= 0 && argument < kTableSize ? s.table[argument] : ColourValue{};
    else if (operation != kWriteLayerOperation)
      result = kUnknownOperationCode;
  }
  s.log.push_back(FillCall{operation, argument, result == 0 ? *value : ColourValue{}, result});
  return result;
}

void ResetFillService() {
  FillState& s = State();
  std::vector<FillCall> log = std::move(s.log);
  log.clear();
  s = FillState{};
  s.log = std::move(log);  // keeps its reserve
}

void SetComponent(std::int32_t component, ColourValue value) {
  if (component >= 0 && component < kTableSize) State().table[component] = value;
}

void FailFillCallNumber(std::uint32_t n, std::int32_t code) {
  State().failNumber = n;
  State().failCode = code;
}

void FailRequest(std::int32_t operation, std::int32_t argument, std::int32_t code) {
  State().rules.push_back(FillRule{operation, argument, code});
}

const std::vector<FillCall>& FillCalls() { return State().log; }
void ClearFillLog() { State().log.clear(); }
std::uint32_t FillCallCount() { return State().calls; }

}  // namespace hostsim
