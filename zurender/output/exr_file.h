// What the multi-layer EXR writer and reader agree on.
//
// Every layer is four channels <prefix>.R, .G, .B, .A (see exr_layer_names.h), 32-bit float or,
// when asked, 16-bit half, colour premultiplied by alpha. The format sorts channels by name, so
// the stack is told by four string-vector attributes, each with one entry per layer, top of the
// stack first:
//   zurender.layerChannels    the channel prefix of each layer
//   zurender.layerNames       each name as the plug-in declared it, in UTF-8 (mask layers all
//                             have the same one; their prefixes carry their numbers)
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

// OpenEXR compresses on a pool of threads shared by the process; both cores of the machine help
// (none under emulation, where the caller's thread does it all).
void UseAllCoresForExr();

}  // namespace zurender
