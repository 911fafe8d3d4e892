// Writes the layered image file an artist opens: one pixel layer per render layer with its name
// and blend key, the merged image, and the linear colour profile.
//
// Layout choices, each because readers depend on them:
// - layers are stored bottom-first (the format's order), so the input's first layer is the top;
// - every layer is canvas-sized with channels transparency (-1), R, G, B; hidden layers set flag
//   0x02; opacity 255, not clipped;
// - the name goes twice: as the Pascal name (the Windows-1252 bytes, at most 255, padded to 4) for
//   readers that show only that, and as a 'luni' Unicode block, which others prefer;
// - 16- and 32-bit layers are in the ordinary layer section (not a global 'Lr16'/'Lr32' block);
// - each channel is PackBits-compressed, or raw when that is smaller or when a packed row could
//   pass the format's 16-bit row byte count (32-bit rows wider than about 16,000 pixels);
// - the merged image has 3 channels (RGB, the format's ordinary layer count: no merged
//   transparency), compressed the same way;
// - image resources: 1005 (72 pixels per inch) and 1039 (the ICC profile, when given).
// The file is written through AtomicFile with the channel lengths patched in afterwards, so only
// one channel is held in memory at a time.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "host/colour_value.h"
#include "zurender/base/status.h"
#include "zurender/output/layer_view.h"
#include "zurender/output/psd_format.h"

namespace zurender {

struct PsdImage {
  int width = 0;
  int height = 0;
  int depth = 16;                              // bits per sample: 8, 16 or 32
  std::span<const LayerView> layers;           // top of the stack first
  std::span<const ColourValue> merged;         // width*height: what readers without layers show
  std::span<const std::uint8_t> iccProfile;   // stored as given; empty: none
};

Status WritePsd(const std::string& path, const PsdImage& image);

}  // namespace zurender
