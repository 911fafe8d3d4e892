// Process-wide state of the loaded library: all of it, who writes each part and when. The host
// calls one entry point, or the dialog's hit function, at a time, so none of it is guarded.
//
//   host code         plugin_state.cpp: ZUShaderHostInfo writes it; ZUShaderInitialize reads it to choose the
//                     rendering role or the interface role
//   host allocator    host/host_memory.cpp: ZUShaderInitialize and ZUShaderFinish record the host's
//                     pair; every allocation and release of the library goes through the last one
//   dialog list       plugin_state.cpp: ZUShaderInitialize loads it in the interface role, unless it is loaded;
//                     the Layers dialog edits it; confirming, cancelling and unloading clear it
//   component cache   render/component_cache.cpp: ZUShaderFillLayers forgets it at a new pixel and
//                     fills in each component the host gives for the pixel
//   dialog context    dialog/dialog_context.cpp: ZUShaderInterfaceSetup sets it when it builds the
//                     dialog; the hit function and the options dialog read it
//   dialog cells      dialog/host_dialog_api.cpp: each is set by the first lookup of its function
//                     that finds it, and never cleared
#pragma once

#include <cstdint>

#include "layers/layer_list.h"

namespace zu {

// Code of the host that loaded the library; 0 until ZUShaderHostInfo.
std::uint32_t& HostCode();

// The list the Layers dialog shows and edits. Empty at load, cleared at unload.
LayerList& DialogLayerList();

}  // namespace zu
