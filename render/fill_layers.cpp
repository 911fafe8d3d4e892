#include "render/fill_layers.h"

#include "host/render_context.h"
#include "render/component_cache.h"
#include "layers/layer_list.h"
#include "render/fill_plan.h"
#include "render/light_sums.h"

void BeginSample(FillContext& fill, const FillPlan& plan) {
  EnterPixel(fill.cache, fill.host.renderContext->pixelX, fill.host.renderContext->pixelY);
  fill.sums.computed = 0;
  fill.sums.includeAmbient = plan.includeAmbient;
  fill.sums.balanceShadows = plan.balanceShadows;
}

std::int32_t FillLayers(const FillPlan& plan, LightSums& sums, const FillHost& host) {
  // Without the sample's record there is no pixel to key the cache by, nor anything to fill.
  if (host.fillService == nullptr || host.renderContext == nullptr) return 0;
  FillContext fill{host, SharedComponentCache(), sums};
  BeginSample(fill, plan);
  if (FillsByKind(plan)) {
    const LayerList& list = *plan.list;
    for (std::int32_t i = 0; i < list.count; ++i) {
      const FillRoutine routine = FillRoutineFor(list.items[i]);
      if (routine == nullptr) continue;
      if (const std::int32_t result = routine(fill, list.items[i]); result != 0) return result;
    }
    return 0;
  }
  for (std::int32_t i = 0; i < plan.stepCount; ++i) {
    const FillStep& step = plan.steps[i];
    if (const std::int32_t result = step.fill(fill, *step.layer); result != 0) return result;
  }
  return 0;
}
