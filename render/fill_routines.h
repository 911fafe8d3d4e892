// One routine per layer kind the plug-in computes itself. Each builds the layer's value for the
// current sample and writes it with the host's fill service: 0, or the host's first non-zero
// code, for a fetch (nothing is then written) or for the write.
//
// Inline, like the cache and the additives they use: FillLayers compiles them all into its walk,
// so a layer costs no call of the plug-in's own, only the host's.
#pragma once

#include <cstdint>

#include "host/render_context.h"
#include "layers/layer_record.h"
#include "render/additive_components.h"
#include "render/component_cache.h"
#include "render/light_sums.h"

namespace zu {

// Whether the plug-in computes and writes the layer; the host fills every other one from its
// declared component, or as a mask. FillLayers picks the routines for exactly these.
inline bool WrittenByPlugin(const LayerRecord& layer) {
  switch (layer.kind) {
    case kDiffusePack:
    case kLights:
    case kShadows:
    case kAdditivesPack:
    case kRtReflections:
    case kTransparency: return true;
    case kAmbientGI: return layer.option1 != 0;
    default: return false;
  }
}

// Writes value into the layer for the current sample.
inline std::int32_t WriteLayer(FillContext& fill, const LayerRecord& layer, ColourValue& value) {
  return fill.host.fillService(kWriteLayer, layer.hostLayerId, &value);
}

// The light a layer uses: the host's light with shadows, or the plug-in's unshadowed sum.
inline std::int32_t FetchLight(FillContext& fill, bool withShadows, const ColourValue*& light) {
  if (withShadows) return FetchComponent(fill, kComponentShadowedLight, light);
  ComputeLightSums(fill);
  light = &fill.sums.unshadowed;
  return 0;
}

// The diffuse colour, lit as the pack's bits say, plus the additive components it carries.
inline std::int32_t FillDiffusePack(FillContext& fill, const LayerRecord& layer) {
  const std::uint32_t flags = layer.flags;
  const ColourValue* diffuse;
  if (const std::int32_t r = FetchComponent(fill, kComponentDiffuse, diffuse); r != 0) return r;
  ColourValue value = *diffuse;  // keeps the diffuse component's alpha
  // Without kPackLights the shadow and ambient bits have nothing to act on.
  if ((flags & kPackLights) != 0) {
    const ColourValue* light;
    if (const std::int32_t r = FetchLight(fill, (flags & kPackShadows) != 0, light); r != 0) return r;
    float red = light->red, green = light->green, blue = light->blue;
    if ((flags & kPackAmbient) != 0) {
      const ColourValue* ambient;
      if (const std::int32_t r = FetchComponent(fill, kComponentAmbient, ambient); r != 0) return r;
      red += ambient->red;
      green += ambient->green;
      blue += ambient->blue;
    }
    value.red *= red;
    value.green *= green;
    value.blue *= blue;
  }
  if ((flags & kAdditiveMask) != 0)
    if (const std::int32_t r = AddAdditiveComponents(fill, flags, value); r != 0) return r;
  return WriteLayer(fill, layer, value);
}

// The host's light with shadows, or the unshadowed light sum.
inline std::int32_t FillLights(FillContext& fill, const LayerRecord& layer) {
  const ColourValue* light;
  if (const std::int32_t r = FetchLight(fill, (layer.flags & kLightsWithShadows) != 0, light); r != 0)
    return r;
  ColourValue value = *light;
  return WriteLayer(fill, layer, value);
}

// Shadowed over unshadowed light, per channel.
inline std::int32_t FillShadows(FillContext& fill, const LayerRecord& layer) {
  ComputeLightSums(fill);
  const LightSums& sums = fill.sums;
  // The ratio is left unbounded; the floor only keeps a dark channel from dividing by nothing.
  auto ratio = [](float shadowed, float unshadowed) {
    return shadowed > 0.0f ? shadowed / (unshadowed > kTinyLight ? unshadowed : kTinyLight) : shadowed;
  };
  ColourValue value{sums.shadowed.alpha, ratio(sums.shadowed.red, sums.unshadowed.red),
                    ratio(sums.shadowed.green, sums.unshadowed.green),
                    ratio(sums.shadowed.blue, sums.unshadowed.blue)};
  return WriteLayer(fill, layer, value);
}

// Ambient times diffuse; for an "Ambient/GI" layer whose option asks the plug-in to compute it.
inline std::int32_t FillAmbient(FillContext& fill, const LayerRecord& layer) {
  const ColourValue* ambient;
  if (const std::int32_t r = FetchComponent(fill, kComponentAmbient, ambient); r != 0) return r;
  const ColourValue* diffuse;
  if (const std::int32_t r = FetchComponent(fill, kComponentDiffuse, diffuse); r != 0) return r;
  // alpha stays the ambient component's.
  ColourValue value{ambient->alpha, ambient->red * diffuse->red, ambient->green * diffuse->green,
                    ambient->blue * diffuse->blue};
  return WriteLayer(fill, layer, value);
}

// The sum of the additive components the pack carries.
inline std::int32_t FillAdditivesPack(FillContext& fill, const LayerRecord& layer) {
  ColourValue value = kNoLight;
  if (const std::int32_t r = AddAdditiveComponents(fill, layer.flags, value); r != 0) return r;
  return WriteLayer(fill, layer, value);
}

// All reflections less the bitmap ones: what ray tracing reflected.
inline std::int32_t FillRtReflections(FillContext& fill, const LayerRecord& layer) {
  const ColourValue* bitmap;
  if (const std::int32_t r = FetchComponent(fill, kComponentBitmapReflections, bitmap); r != 0) return r;
  const ColourValue* all;
  if (const std::int32_t r = FetchComponent(fill, kComponentReflections, all); r != 0) return r;
  // Negative differences are written as they are.
  ColourValue value{1.0f, all->red - bitmap->red, all->green - bitmap->green, all->blue - bitmap->blue};
  return WriteLayer(fill, layer, value);
}

// Built from two floats of the host's render context; no component is fetched.
inline std::int32_t FillTransparency(FillContext& fill, const LayerRecord& layer) {
  // The host's two floats are known only by their offsets; the second feeds both green and blue.
  const RenderContext& sample = *fill.host.renderContext;
  ColourValue value{1.0f, sample.transparencyFirst, sample.transparencySecond, sample.transparencySecond};
  return WriteLayer(fill, layer, value);
}

}  // namespace zu
