// The layered image format's fixed numbers, for its writer and its reader beside this header:
// signatures and keys, the colour modes and compressions, the image resources and layer flags
// they use, and the format's limits. Every number in the file is big-endian (byte_order.h).
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/abi.h"

namespace zurender {

constexpr int kPsdMaxSide = 30000;             // the format's limit for the canvas and a layer's side
constexpr int kPsdMaxLayers = 32767;           // the layer count is a signed 16-bit number
constexpr std::size_t kPsdMaxNameBytes = 255;  // one length byte; the Unicode copy is cut alike

namespace psd {

constexpr std::uint32_t kSignature = FourCC("8BPS");             // the file's first word
constexpr std::uint16_t kVersion = 1;                            // of the ordinary format, not the large one
constexpr std::uint32_t kBlockSignature = FourCC("8BIM");        // image resources, blend modes, tagged blocks
constexpr std::uint32_t kLargeBlockSignature = FourCC("8B64");   // tagged blocks of other writers
constexpr std::uint32_t kUnicodeNameKey = FourCC("luni");        // a layer's name in UTF-16
constexpr std::uint32_t kLayers16Key = FourCC("Lr16");           // other writers' 16- and 32-bit layers
constexpr std::uint32_t kLayers32Key = FourCC("Lr32");

constexpr std::uint16_t kModeGrey = 1;
constexpr std::uint16_t kModeRgb = 3;
constexpr std::uint16_t kResolutionResource = 1005;
constexpr std::uint16_t kIccResource = 1039;

constexpr std::uint16_t kRaw = 0;  // channel compression
constexpr std::uint16_t kRle = 1;  // PackBits, with a 16-bit byte count per row first
constexpr std::uint32_t kMaxRowCount = 0xFFFF;

constexpr std::int16_t kTransparencyChannel = -1;  // a layer channel's id; colour channels count from 0
constexpr std::uint8_t kFlagHidden = 0x02;         // a layer record's flags
constexpr int kMaxChannels = 56;                    // of one image or layer
constexpr std::uint64_t kMaxSection = 0xFFFFFFFFu;  // section lengths are 32 bits

}  // namespace psd
}  // namespace zurender
