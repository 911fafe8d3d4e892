#include "plugin/shader_instance.h"

#include "host/host_memory.h"
#include "layers/render_resolution.h"
#include "persist/stored_list.h"

namespace zu {

ShaderInstance* CreateShaderInstance(const ParamBlock& params, bool& allocationFailed) {
  auto* instance = static_cast<ShaderInstance*>(HostAllocate(sizeof(ShaderInstance)));
  allocationFailed = instance == nullptr;
  if (instance == nullptr) return nullptr;
  instance->params = params;
  instance->layers = EmptyLayerList();
  instance->plan = EmptyFillPlan();
  LoadLayerListOrDefault(instance->layers, params.storedList);
  PrepareLayersForRender(instance->layers);
  if (instance->layers.count > 0) {
    instance->plan = PlanFill(instance->layers);
    return instance;
  }
  ReleaseShaderInstance(instance);
  return nullptr;
}

void ReleaseShaderInstance(ShaderInstance* instance) {
  if (instance == nullptr) return;
  ClearLayerList(instance->layers);
  HostRelease(instance);
}

}  // namespace zu
