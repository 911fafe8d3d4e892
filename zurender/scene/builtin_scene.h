// A scene that needs no file and in which every kind of layer shows something.
#pragma once

#include "zurender/scene/scene.h"

namespace zurender {

// A closed room (the camera never sees past its walls) with a textured floor, a matte box, a
// glossy ball, a standing mirror, a glass ball, a glowing orb, a back-lit paper screen, three
// shadow-casting lights (one blue), a studio environment seen in the bitmap reflections and a
// light fog. The box, the glossy ball and the glass ball carry masks 1, 2 and 3.
Scene BuiltInScene();

}  // namespace zurender
