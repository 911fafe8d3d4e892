#include "render/component_cache.h"

constinit ComponentCache gSharedComponentCache = FreshComponentCache();
