// A canned fill provider: components from a table the test fills, every write taken.
#pragma once

#include <cstdint>

#include "hostsim/fill_service.h"

namespace hostsim::hooks {

class CannedComponents : public FillProvider {
 public:
  // Component numbers the table holds; any other answers zeros.
  static constexpr std::int32_t kTableSize = 32;

  // What a request for component answers from now on.
  void Set(std::int32_t component, ColourValue value) {
    if (component >= 0 && component < kTableSize) table_[component] = value;
  }
  // Every component answers zeros again.
  void Clear() { *this = CannedComponents{}; }

  std::int32_t GetComponent(std::int32_t component, ColourValue& value) override {
    value = component >= 0 && component < kTableSize ? table_[component] : ColourValue{};
    return 0;
  }
  std::int32_t WriteLayer(std::int32_t, const ColourValue&) override { return 0; }

 private:
  ColourValue table_[kTableSize] = {};
};

}  // namespace hostsim::hooks
