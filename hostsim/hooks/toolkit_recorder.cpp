#include "hostsim/hooks/toolkit_recorder.h"

namespace hostsim::hooks {

std::vector<ToolkitCall> ToolkitRecorder::CallsTo(const std::string& function) const {
  std::vector<ToolkitCall> calls;
  for (const ToolkitCall& call : calls_)
    if (call.function == function) calls.push_back(call);
  return calls;
}

}  // namespace hostsim::hooks
