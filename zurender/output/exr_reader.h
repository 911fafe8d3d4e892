// Reads a multi-layer EXR file back into layers: this host's files by their attributes
// (exr_file.h), others by their channel names (a layer per prefix before the last '.', in the
// file's channel order, blend key 'norm', visible).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "host/colour_value.h"
#include "zurender/base/status.h"
#include "zurender/output/image_read_limits.h"

namespace zurender {

struct ExrLayer {
  std::string name;            // Latin-1 ('?' for characters past U+00FF)
  std::string channelPrefix;  // the file's, UTF-8
  std::uint32_t blendKey = 0;
  bool visible = true;
  std::vector<ColourValue> pixels;  // the data window, row-major; a missing channel reads 0, A 1
};

struct ExrDocument {
  int width = 0;   // of the data window
  int height = 0;
  std::vector<ExrLayer> layers;  // top of the stack first
  std::vector<ColourValue> merged;  // the unprefixed R, G, B, A channels; empty when the file has none
};

Result<ExrDocument> ReadExr(const std::string& path, const ImageReadLimits& limits = {});
// The same from bytes in memory, which must outlive the call.
Result<ExrDocument> ReadExr(std::span<const std::uint8_t> bytes, const ImageReadLimits& limits = {});

}  // namespace zurender
