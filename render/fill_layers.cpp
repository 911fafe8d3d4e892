#include "render/fill_layers.h"

// Filling is not built yet: nothing is written.
std::int32_t FillLayers(ShaderInstance&, const FillLayersRecord&) { return 0; }
