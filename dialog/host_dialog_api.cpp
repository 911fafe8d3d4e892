#include "dialog/host_dialog_api.h"

#include "dialog/find_host_function.h"

namespace zu {

namespace {

enum HostDialogSlot : int {
#define ZU_HOST_DIALOG_SLOT(Name, result, parameters, arguments, target) k##Name,
  ZU_HOST_DIALOG_FUNCTIONS(ZU_HOST_DIALOG_SLOT)
#undef ZU_HOST_DIALOG_SLOT
  kHostDialogSlotCount
};

struct HostDialogBinding {
  const char* name;  // exported name, exactly as the host spells it
  HostDialogSlot slot;
};

constexpr HostDialogBinding kHostDialogFunctions[] = {
#define ZU_HOST_DIALOG_BINDING(Name, result, parameters, arguments, target) {"ZU_" #Name, k##Name},
    ZU_HOST_DIALOG_FUNCTIONS(ZU_HOST_DIALOG_BINDING)
#undef ZU_HOST_DIALOG_BINDING
};

// The table is indexed by slot, so each row must stand at its own slot.
constexpr bool EveryRowAtItsSlot() {
  int i = 0;
  for (const HostDialogBinding& row : kHostDialogFunctions)
    if (row.slot != i++) return false;
  return i == kHostDialogSlotCount;
}
static_assert(EveryRowAtItsSlot());
static_assert(kHostDialogSlotCount == kHostDialogFunctionCount);

// One cell per function: none at load, set by the first successful lookup, never cleared.
void* gCells[kHostDialogSlotCount] = {};

void* BoundCell(HostDialogSlot slot) {
  if (gCells[slot] == nullptr) gCells[slot] = FindHostFunction(kHostDialogFunctions[slot].name);
  return gCells[slot];
}

// Forwards to the host's function; a function the host lacks gives 0 and is never called.
template <typename Fn, typename... Args>
auto CallHost(HostDialogSlot slot, Args... args) -> decltype(static_cast<Fn>(nullptr)(args...)) {
  const Fn function = reinterpret_cast<Fn>(BoundCell(slot));
  if (function == nullptr) return 0;
  return function(args...);
}

}  // namespace

bool BindHostDialogApi() {
  bool all = true;
  for (const HostDialogBinding& row : kHostDialogFunctions) all = BoundCell(row.slot) != nullptr && all;
  return all;
}

namespace host_dialog {

// Each forwards to the host's function of its name, bound in its slot.
#define ZU_COMMA_ARGUMENTS(...) , __VA_ARGS__
#define ZU_DEFINE_HOST_DIALOG_FORWARDER(Name, result, parameters, arguments, target) \
  result Name parameters { return CallHost<Name##Fn>(k##Name ZU_COMMA_ARGUMENTS arguments); }
ZU_HOST_DIALOG_FUNCTIONS(ZU_DEFINE_HOST_DIALOG_FORWARDER)
#undef ZU_DEFINE_HOST_DIALOG_FORWARDER
#undef ZU_COMMA_ARGUMENTS

}  // namespace host_dialog

}  // namespace zu
