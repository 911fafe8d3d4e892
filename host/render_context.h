// The host's record of the sample being shaded, reached through FillLayersRecord::renderContext.
// Only the fields the plug-in reads are named; the record goes on past them, so the struct
// describes a prefix of it and is only ever read through the host's pointer.
#pragma once

#include <cstddef>
#include <cstdint>

struct RenderContext {
  std::uint8_t hostBytes[308];     // host's
  float transparencyFirst;         // host-written per sample; channel 1 of the "Transparency" value
  float transparencySecond;        // host-written per sample; channels 2 and 3 of that value
  std::uint8_t hostBytes316[36];   // host's
  std::int32_t pixelX;             // pixel being shaded; with pixelY the component cache's key
  std::int32_t pixelY;
};

static_assert(offsetof(RenderContext, transparencyFirst) == 308);
static_assert(offsetof(RenderContext, transparencySecond) == 312);
static_assert(offsetof(RenderContext, pixelX) == 352);
static_assert(offsetof(RenderContext, pixelY) == 356);
static_assert(sizeof(RenderContext) == 360);  // the part the plug-in reads
