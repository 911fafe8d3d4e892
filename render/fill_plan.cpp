#include "render/fill_plan.h"

#include "host/host_memory.h"
#include "layers/layer_list.h"

bool PlanFill(const LayerList& list, FillPlan& plan) {
  const LayerRecord* shadows = FindEnabledLayerOfKind(list, kShadows);
  plan = EmptyFillPlan();
  plan.balanceShadows = shadows != nullptr && shadows->option1 != 0;
  plan.includeAmbient = FindEnabledLayerOfKind(list, kAmbientGI) == nullptr;
  plan.list = &list;

  // Host-filled layers get no step, so a sample never looks at them.
  for (std::int32_t i = 0; i < list.count; ++i)
    if (FillRoutineFor(list.items[i]) != nullptr) ++plan.stepCount;
  if (plan.stepCount == 0) return true;
  plan.steps = static_cast<FillStep*>(
      HostAllocateArray(static_cast<std::uint32_t>(plan.stepCount), static_cast<std::uint32_t>(sizeof(FillStep))));
  if (plan.steps == nullptr) return false;
  std::int32_t n = 0;
  for (std::int32_t i = 0; i < list.count; ++i)
    if (const FillRoutine fill = FillRoutineFor(list.items[i])) plan.steps[n++] = FillStep{fill, &list.items[i]};
  return true;
}

void ReleaseFillPlan(FillPlan& plan) {
  HostRelease(plan.steps);
  plan = EmptyFillPlan();
}
