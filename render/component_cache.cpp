#include "render/component_cache.h"

namespace zu {

constinit ComponentCache gSharedComponentCache = FreshComponentCache();

}  // namespace zu
