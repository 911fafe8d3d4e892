#include "render/declare_layers.h"

// Declaration of the layers is not built yet: nothing is declared.
std::int32_t DeclareLayers(LayerList&, DeclareLayerFn, std::int32_t, std::int32_t, OutputPair) { return 0; }
