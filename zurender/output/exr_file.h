// What the multi-layer EXR writer and reader agree on.
//
// Every layer is four 32-bit float channels <prefix>.R, .G, .B, .A (see exr_layer_names.h). The
// format sorts channels by name, so the stack is told by four string-vector attributes, each
// with one entry per layer, top of the stack first:
//   zurender.layerChannels    the channel prefix of each layer
//   zurender.layerNames       each declared name, Latin-1 bytes as UTF-8
//   zurender.blendKeys        each four-character blend key, e.g. "mul "
//   zurender.layerVisibility  "visible" or "hidden"
#pragma once

namespace zurender {

inline constexpr char kExrLayerChannels[] = "zurender.layerChannels";
inline constexpr char kExrLayerNames[] = "zurender.layerNames";
inline constexpr char kExrBlendKeys[] = "zurender.blendKeys";
inline constexpr char kExrLayerVisibility[] = "zurender.layerVisibility";
inline constexpr char kExrVisible[] = "visible";
inline constexpr char kExrHidden[] = "hidden";

// OpenEXR compresses on a pool of threads shared by the process; both cores of the machine help.
void UseAllCoresForExr();

}  // namespace zurender
