#include "render/fill_layers.h"

#include "host/render_context.h"
#include "render/component_cache.h"
#include "render/fill_plan.h"
#include "render/fill_routines.h"
#include "render/light_sums.h"

namespace zu {

void BeginSample(FillContext& fill, const FillPlan& plan) {
  EnterPixel(SharedComponentCache(), fill.host.renderContext->pixelX, fill.host.renderContext->pixelY);
  fill.sums.computed = 0;
  fill.sums.includeAmbient = plan.includeAmbient;
  fill.sums.balanceShadows = plan.balanceShadows;
}

std::int32_t FillLayers(const FillPlan& plan, LightSums& sums, const FillHost& host) {
  // Without the sample's record there is no pixel to key the cache by, nor anything to fill.
  if (host.fillService == nullptr || host.renderContext == nullptr) return 0;
  FillContext fill{host, sums};
  BeginSample(fill, plan);
  if (plan.runCount == 0) return 0;
  // One loop over the runs' layers: moving on to the next run is the rare step.
  const FillRun* run = plan.runs;
  const FillRun* const lastRun = plan.runs + plan.runCount - 1;
  const LayerRecord* layer = run->first;
  const LayerRecord* end = run->end;
  for (;; ++layer) {
    if (layer == end) {
      if (run == lastRun) break;
      ++run;
      layer = run->first;
      end = run->end;
    }
    std::int32_t result;
    switch (layer->kind) {
      case kDiffusePack: result = FillDiffusePack(fill, *layer); break;
      case kLights: result = FillLights(fill, *layer); break;
      case kShadows: result = FillShadows(fill, *layer); break;
      case kAmbientGI:
        if (layer->option1 == 0) continue;  // declared with the ambient component: the host's
        result = FillAmbient(fill, *layer);
        break;
      case kAdditivesPack: result = FillAdditivesPack(fill, *layer); break;
      case kRtReflections: result = FillRtReflections(fill, *layer); break;
      case kTransparency: result = FillTransparency(fill, *layer); break;
      default: continue;  // the host's, in a run that reaches over it
    }
    if (result != 0) return result;
  }
  return 0;
}

}  // namespace zu
