#include "render/additive_components.h"

#include "layers/layer_record.h"
#include "render/component_cache.h"
#include "render/host_component.h"

namespace {
struct AdditivePair {
  std::uint32_t flag;
  std::int32_t component;
};
constexpr AdditivePair kAdditives[] = {
    {AddSpecular, kComponentSpecular},
    {AddLuminance, kComponentLuminance},
    {AddReflections, kComponentReflections},
    {AddRefractions, kComponentRefractions},
};
}  // namespace

std::int32_t AddAdditiveComponents(FillContext& fill, std::uint32_t flags, ColourValue& value) {
  for (const AdditivePair& additive : kAdditives) {
    if ((flags & additive.flag) == 0) continue;
    const ColourValue* component;
    if (const std::int32_t result = FetchComponent(fill, additive.component, component); result != 0) return result;
    value.red += component->red;
    value.green += component->green;
    value.blue += component->blue;
  }
  return 0;
}
