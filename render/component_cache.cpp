#include "render/component_cache.h"

namespace {
constinit ComponentCache gCache = FreshComponentCache();
}

ComponentCache& SharedComponentCache() { return gCache; }
