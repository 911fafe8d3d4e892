// Reads a multi-layer EXR file back into layers: this host's files by their attributes
// (exr_file.h), others by their channel names (a layer per prefix before the last '.', in the
// file's channel order, blend key 'norm', visible). The format premultiplies colour by alpha;
// the layers come back with straight alpha, as the other readers and the writers have them.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "host/colour_value.h"
#include "zurender/base/read_limits.h"
#include "zurender/base/status.h"

namespace zurender {

struct ExrLayer {
  std::string name;            // Windows-1252 ('?' for characters it cannot hold)
  std::string channelPrefix;  // the file's, UTF-8
  std::uint32_t blendKey = 0;
  bool visible = true;
  // The data window, row-major; a missing channel reads 0, A 1. Straight alpha: the colour is
  // divided by the alpha where it is above 0, and stays as stored where it is 0.
  std::vector<ColourValue> pixels;
};

struct ExrDocument {
  int width = 0;   // of the data window
  int height = 0;
  std::vector<ExrLayer> layers;  // top of the stack first
  std::vector<ColourValue> merged;  // the unprefixed R, G, B, A channels; empty when the file has none
  bool halfLayers = false;          // a layer has a channel in 16-bit half floats
};

Result<ExrDocument> ReadExr(const std::string& path, const ImageReadLimits& limits = {});
// The same from bytes in memory, which must outlive the call.
Result<ExrDocument> ReadExr(std::span<const std::uint8_t> bytes, const ImageReadLimits& limits = {});

}  // namespace zurender
