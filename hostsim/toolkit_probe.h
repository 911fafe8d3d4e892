// What a test or a tracing application can see of, and change in, the dialog toolkit's dealings
// with the plug-in. A toolkit without a probe records nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "host/host_dialog.h"

namespace hostsim {

// One call of a host dialog function, with its handles resolved to ids.
struct ToolkitCall {
  std::string function;      // exported name, e.g. "ZU_SetControlEnable"
  DialogRef dialog = 0;      // the dialog named or owning the control; 0 for none or unknown
  std::int32_t control = 0;  // id of the control named; 0 for none or unknown
  std::int32_t first = 0;    // first plain argument (row, value, flags, id, dx, ...)
  std::int32_t second = 0;   // second plain argument (select, item id, dy, ...)
  std::string text;          // text passed in
};

class ToolkitProbe {
 public:
  // Every call of a dialog function that names a dialog, control or resource of the toolkit.
  virtual void Called(const ToolkitCall& call) = 0;
  // Whether ZU_MakeDialog makes nothing for this resource, as a host short of memory may.
  virtual bool RefuseDialog(std::int32_t resourceId) = 0;
  // What ZU_GetEditTextString leaves in its length cell instead of the length it wrote; none
  // leaves the length. A host is free to leave anything there.
  virtual std::optional<std::int32_t> LengthCellReply() = 0;

 protected:
  ~ToolkitProbe() = default;
};

}  // namespace hostsim
