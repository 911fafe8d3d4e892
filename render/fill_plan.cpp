#include "render/fill_plan.h"

#include "layers/layer_list.h"
#include "render/fill_routines.h"

namespace zu {

FillPlan PlanFill(const LayerList& list) {
  const LayerRecord* shadows = FindEnabledLayerOfKind(list, kShadows);
  FillPlan plan = EmptyFillPlan();
  plan.balanceShadows = shadows != nullptr && shadows->option1 != 0;
  plan.includeAmbient = FindEnabledLayerOfKind(list, kAmbientGI) == nullptr;
  for (std::int32_t i = 0; i < list.count; ++i) {
    const LayerRecord* layer = &list.items[i];
    if (!WrittenByPlugin(*layer)) continue;
    FillRun* last = plan.runCount > 0 ? &plan.runs[plan.runCount - 1] : nullptr;
    // The layer joins the last run when it follows it directly, or when no run is left.
    if (last != nullptr && (last->end == layer || plan.runCount == kFillRunLimit)) last->end = layer + 1;
    else plan.runs[plan.runCount++] = FillRun{layer, layer + 1};
  }
  return plan;
}

}  // namespace zu
