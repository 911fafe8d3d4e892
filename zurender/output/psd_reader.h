// Reads layered image files: those this host writes, and RGB or greyscale ones from elsewhere at
// 8, 16 or 32 bits with raw or PackBits channels (layers in the ordinary section or in a global
// 'Lr16'/'Lr32' block). Any input at all gives a document or an error; it never reads out of
// bounds and refuses sizes that would not fit in memory.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "host/colour_value.h"
#include "zurender/base/read_limits.h"
#include "zurender/base/status.h"

namespace zurender {

struct PsdRect {
  std::int32_t top = 0;
  std::int32_t left = 0;
  std::int32_t bottom = 0;
  std::int32_t right = 0;
};

struct PsdLayer {
  std::string name;          // Windows-1252: the 'luni' name ('?' for characters it cannot hold), else the Pascal name
  std::uint32_t blendKey = 0;
  std::uint8_t opacity = 255;
  bool clipped = false;      // clipped to the layer below
  bool visible = true;       // flag 0x02 clear
  PsdRect rect;              // as stored; may pass the canvas
  // Canvas-sized, the layer placed by its rectangle: transparent outside it, alpha from
  // channel -1 inside (1 when the layer has none). Values are 0..1 at 8 and 16 bits.
  std::vector<ColourValue> pixels;
};

struct PsdDocument {
  int width = 0;
  int height = 0;
  int depth = 0;                       // bits per sample
  int channels = 0;                    // of the merged image, as the header says
  std::vector<std::uint8_t> iccProfile;  // image resource 1039; empty when absent
  std::vector<PsdLayer> layers;        // top of the stack first, as the writer takes them
  std::vector<ColourValue> merged;     // alpha from the merged transparency, else 1
};

Result<PsdDocument> ReadPsd(const std::string& path, const ImageReadLimits& limits = {});
Result<PsdDocument> ReadPsd(std::span<const std::uint8_t> bytes, const ImageReadLimits& limits = {});

}  // namespace zurender
