#include "render/host_component.h"

#include "layers/layer_record.h"

namespace zu {

std::int32_t KindToComponent(std::int32_t kind) {
  switch (kind) {
    case kAmbientGI: return kComponentAmbient;
    case kSpecular: return kComponentSpecular;
    case kLuminance: return kComponentLuminance;
    case kReflections: return kComponentReflections;
    case kBitmapReflections: return kComponentBitmapReflections;
    case kRtRefractions: return kComponentRefractions;
    case kFinalRender: return kComponentFinalRender;
    case kFog: return kComponentFog;
    case kTransparency: return kComponentTransparency;
    default: return kNoComponent;  // the packs, lights, shadows, RT reflections and masks are not the host's
  }
}

}  // namespace zu
