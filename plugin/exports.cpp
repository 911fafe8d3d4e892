// The seven entry points the host calls. Each decodes its record and hands the work on to the
// library's code in namespace zu; the entry points themselves are the host's C names.
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
  zu::HostCode() = record->hostCode;
  return 0;
}

ZU_EXPORT std::int32_t ZU_ABI ZUShaderInitialize(ShaderRecord* record) noexcept {
  SetHostAllocator(record->allocate, record->release);
  record->instance = nullptr;
  zu::ParamBlock params;
  if (!zu::DecodeParamBlock(record->parameterData, record->parameterSize, params)) return 0;
  if (zu::HostCode() != kRenderHostCode) {
    zu::LoadLayerListOrDefault(zu::DialogLayerList(), params.storedList);
    return 0;
  }
  bool allocationFailed = false;
  record->instance = zu::CreateShaderInstance(params, allocationFailed);
  return allocationFailed ? 1 : 0;
}

ZU_EXPORT std::int32_t ZU_ABI ZUShaderInitLayers(InitLayersRecord* record) noexcept {
  auto* instance = static_cast<zu::ShaderInstance*>(record->instance);
  if (instance == nullptr) return 0;
  const zu::OutputPair pair = zu::ComputeOutputPair(instance->params);
  return zu::DeclareLayers(instance->layers, record->declare,
                           {instance->params.edgeMask, instance->params.nameMode, pair.first, pair.second});
}

ZU_EXPORT std::int32_t ZU_ABI ZUShaderFillLayers(FillLayersRecord* record) noexcept {
  auto* instance = static_cast<zu::ShaderInstance*>(record->instance);
  if (instance == nullptr) return 0;
  const zu::FillHost host{record->fillService, record->nextLight,
                          static_cast<const RenderContext*>(record->renderContext),
                          static_cast<const SurfaceRecord*>(record->surface)};
  return zu::FillLayers(instance->plan, instance->lightSums, host);
}

ZU_EXPORT std::int32_t ZU_ABI ZUShaderFinish(ShaderRecord* record) noexcept {
  SetHostAllocator(record->allocate, record->release);
  // Cleared so that a repeated finish with the same record releases nothing twice.
  zu::ReleaseShaderInstance(static_cast<zu::ShaderInstance*>(record->instance));
  record->instance = nullptr;
  return 0;
}

ZU_EXPORT std::int32_t ZU_ABI ZUShaderInterfaceSetup(InterfaceRecord* record) noexcept {
  // A host that lacks one of the dialog functions gets no dialog, and still the usual 0.
  zu::SetupLayersDialog(zu::DialogLayerList(), record->dialog, record->resourceValue, record->setInfo);
  return 0;
}
