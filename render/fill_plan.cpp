#include "render/fill_plan.h"

#include "layers/layer_list.h"

FillPlan PlanFill(const LayerList& list) {
  const LayerRecord* shadows = FindEnabledLayerOfKind(list, kShadows);
  FillPlan plan = EmptyFillPlan();
  plan.layers = list.items;
  plan.count = list.count;
  plan.balanceShadows = shadows != nullptr && shadows->option1 != 0;
  plan.includeAmbient = FindEnabledLayerOfKind(list, kAmbientGI) == nullptr;
  return plan;
}
