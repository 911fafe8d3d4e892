// `zurender [SCENE] [options]`: render a scene through the plug-in and write its layers.
#pragma once

#include "zurender/app/render_options.h"

namespace zurender {

// The exit status: 0 when the render and every file were written.
int RunRender(const RenderOptions& options);

}  // namespace zurender
