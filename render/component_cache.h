// Shading components the host computed for the current pixel, asked for at most once each.
#pragma once

#include <cstdint>

#include "host/colour_value.h"
#include "render/fill_context.h"

namespace zu {

// The host numbers its components below 17; only 1 to 8 are ever fetched.
constexpr std::int32_t kComponentSlotCount = 17;

// Keyed by the pixel alone and shared by every instance of the library: instances filled at the
// same pixel share the components the host gave for it.
struct ComponentCache {
  std::int32_t pixelX;
  std::int32_t pixelY;
  std::uint32_t validMask;                  // bit n: values[n] is the host's answer for this pixel
  ColourValue values[kComponentSlotCount];
};
static_assert(kComponentSlotCount <= 32, "one valid bit per slot");

// The state at load: no slot valid, so the first sample is always a new pixel.
constexpr ComponentCache FreshComponentCache() { return ComponentCache{-12345678, 12345678, 0, {}}; }

// The library's one cache; reached inline because every sample goes through it.
extern ComponentCache gSharedComponentCache;
inline ComponentCache& SharedComponentCache() { return gSharedComponentCache; }

// Forgets every component when the pixel differs from the cached one.
inline void EnterPixel(ComponentCache& cache, std::int32_t pixelX, std::int32_t pixelY) {
  if (pixelX == cache.pixelX && pixelY == cache.pixelY) return;
  cache.pixelX = pixelX;
  cache.pixelY = pixelY;
  cache.validMask = 0;
}

// Component n (1 to 16) of the current pixel, from the cache or from the host, which writes it
// straight into its slot. 0, and value points at the component until the pixel changes; or the
// host's non-zero code, and value is not to be read. A refused request is not cached, so a
// later request at the same pixel asks the host again rather than reusing a value it never gave.
inline std::int32_t FetchComponent(FillContext& fill, std::int32_t component, const ColourValue*& value) {
  ComponentCache& cache = SharedComponentCache();
  ColourValue& slot = cache.values[component];
  value = &slot;
  const std::uint32_t bit = 1u << component;
  if ((cache.validMask & bit) != 0) return 0;
  const std::int32_t result = fill.host.fillService(kGetComponent, component, &slot);
  if (result == 0) cache.validMask |= bit;
  return result;
}

}  // namespace zu
