// A probe for the dialog toolkit: logs every call of the dialog functions and plays a host that
// cannot make a dialog or leaves something else in a length cell.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "hostsim/toolkit_probe.h"

namespace hostsim::hooks {

class ToolkitRecorder : public ToolkitProbe {
 public:
  bool makeDialogFails = false;                 // ZU_MakeDialog makes nothing
  std::optional<std::int32_t> lengthCellReply;  // left in ZU_GetEditTextString's length cell

  // Every call since the last clear, in order.
  const std::vector<ToolkitCall>& Calls() const { return calls_; }
  std::vector<ToolkitCall> CallsTo(const std::string& function) const;
  void Clear() { calls_.clear(); }

  void Called(const ToolkitCall& call) override { calls_.push_back(call); }
  bool RefuseDialog(std::int32_t) override { return makeDialogFails; }
  std::optional<std::int32_t> LengthCellReply() override { return lengthCellReply; }

 private:
  std::vector<ToolkitCall> calls_;
};

}  // namespace hostsim::hooks
