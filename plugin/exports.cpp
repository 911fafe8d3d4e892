// The seven entry points the host calls. Each decodes its record and hands the work on.
#include "dialog/layers_dialog.h"
#include "host/abi.h"
#include "host/entry_points.h"
#include "host/fill_layers_record.h"
#include "host/host_info_record.h"
#include "host/host_memory.h"
#include "host/init_layers_record.h"
#include "host/interface_record.h"
#include "host/render_context.h"
#include "host/shader_info_record.h"
#include "host/shader_record.h"
#include "host/surface_record.h"
#include "persist/stored_list.h"
#include "plugin/param_block.h"
#include "plugin/plugin_state.h"
#include "plugin/shader_instance.h"
#include "render/declare_layers.h"
#include "render/fill_layers.h"

ZU_EXPORT std::int32_t ZU_ABI ZUShaderInformation(ShaderInfoRecord* record) noexcept {
  record->flags |= kShaderInfoLayersBit;
  return 0;
}

ZU_EXPORT std::int32_t ZU_ABI ZUShaderHostInfo(HostInfoRecord* record) noexcept {
  HostCode() = record->hostCode;
  return 0;
}

ZU_EXPORT std::int32_t ZU_ABI ZUShaderInitialize(ShaderRecord* record) noexcept {
  SetHostAllocator(record->allocate, record->release);
  record->instance = nullptr;
  ParamBlock params;
  if (!DecodeParamBlock(record->parameterData, record->parameterSize, params)) return 0;
  if (HostCode() != kRenderHostCode) {
    LoadLayerListOrDefault(DialogLayerList(), params.storedList);
    return 0;
  }
  bool allocationFailed = false;
  record->instance = CreateShaderInstance(params, allocationFailed);
  return allocationFailed ? 1 : 0;
}

ZU_EXPORT std::int32_t ZU_ABI ZUShaderInitLayers(InitLayersRecord* record) noexcept {
  auto* instance = static_cast<ShaderInstance*>(record->instance);
  if (instance == nullptr) return 0;
  const OutputPair pair = ComputeOutputPair(instance->params);
  return DeclareLayers(instance->layers, record->declare,
                       {instance->params.edgeMask, instance->params.nameMode, pair.first, pair.second});
}

ZU_EXPORT std::int32_t ZU_ABI ZUShaderFillLayers(FillLayersRecord* record) noexcept {
  auto* instance = static_cast<ShaderInstance*>(record->instance);
  if (instance == nullptr) return 0;
  const FillHost host{record->fillService, record->nextLight,
                      static_cast<const RenderContext*>(record->renderContext),
                      static_cast<const SurfaceRecord*>(record->surface)};
  return FillLayers(instance->plan, instance->lightSums, host);
}

ZU_EXPORT std::int32_t ZU_ABI ZUShaderFinish(ShaderRecord* record) noexcept {
  SetHostAllocator(record->allocate, record->release);
  // Cleared so that a repeated finish with the same record releases nothing twice.
  ReleaseShaderInstance(static_cast<ShaderInstance*>(record->instance));
  record->instance = nullptr;
  return 0;
}

ZU_EXPORT std::int32_t ZU_ABI ZUShaderInterfaceSetup(InterfaceRecord* record) noexcept {
  // A host that lacks one of the dialog functions gets no dialog, and still the usual 0.
  SetupLayersDialog(DialogLayerList(), record->dialog, record->resourceValue, record->setInfo);
  return 0;
}
