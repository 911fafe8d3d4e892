// Layer lists an artist starts from, each made through the plug-in's Layers dialog like any edit:
//   default  the plug-in's own default list
//   road     Diffuse Pack, Lights, Specular
//   exact    the stack that rebuilds the render in float: Fog, Luminance, Reflections, Specular,
//            RT Refractions, Ambient/GI, Shadows, Lights, Diffuse Pack (top first)
//   all      every kind, in an order that stacks sensibly, with the edge mask
#pragma once

#include <string>
#include <vector>

#include "zurender/dialog/layers_dialog_session.h"

namespace zurender {

const std::vector<std::string>& PresetNames();
bool IsPreset(const std::string& name);

// Applies the preset's gestures to a dialog opened on the default settings; false, with error set,
// when the dialog refuses one.
bool ApplyPreset(LayersDialogSession& session, const std::string& name, std::string& error);

// Opens the dialog on nothing stored, applies the preset and confirms: the settings the host
// then keeps.
bool MakePresetSettings(PluginHost& plugin, const std::string& name, PluginSettings& settings, std::string& error);

}  // namespace zurender
