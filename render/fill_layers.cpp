#include "render/fill_layers.h"

#include "host/render_context.h"
#include "render/component_cache.h"
#include "render/fill_plan.h"
#include "render/fill_routines.h"
#include "render/light_sums.h"

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
  const LayerRecord* const end = plan.layers + plan.count;
  for (const LayerRecord* layer = plan.layers; layer != end; ++layer) {
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
      default: continue;  // filled by the host from its declared component, or as a mask
    }
    if (result != 0) return result;
  }
  return 0;
}
