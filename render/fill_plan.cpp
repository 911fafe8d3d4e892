#include "render/fill_plan.h"

#include "host/host_memory.h"
#include "layers/layer_list.h"

bool PlanFill(const LayerList& list, FillPlan& plan) {
  plan = EmptyFillPlan();
  const LayerRecord* shadows = FindEnabledLayerOfKind(list, kShadows);
  const std::uint8_t balanceShadows = shadows != nullptr && shadows->option1 != 0;
  const std::uint8_t includeAmbient = FindEnabledLayerOfKind(list, kAmbientGI) == nullptr;

  // Host-filled layers get no step, so a sample never looks at them.
  std::int32_t stepCount = 0;
  for (std::int32_t i = 0; i < list.count; ++i)
    if (FillRoutineFor(list.items[i]) != nullptr) ++stepCount;
  FillStep* steps = nullptr;
  if (stepCount > 0) {
    steps = static_cast<FillStep*>(
        HostAllocateArray(static_cast<std::uint32_t>(stepCount), static_cast<std::uint32_t>(sizeof(FillStep))));
    if (steps == nullptr) return false;
    std::int32_t n = 0;
    for (std::int32_t i = 0; i < list.count; ++i)
      if (const FillRoutine fill = FillRoutineFor(list.items[i])) steps[n++] = FillStep{fill, &list.items[i]};
  }
  plan = FillPlan{balanceShadows, includeAmbient, stepCount, steps};
  return true;
}

void ReleaseFillPlan(FillPlan& plan) {
  HostRelease(plan.steps);
  plan = EmptyFillPlan();
}
