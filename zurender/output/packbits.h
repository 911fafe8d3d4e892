// PackBits, the run-length code of the layered image format: a header byte n of 0..127 is
// followed by n+1 literal bytes; 129..255 by one byte repeated 257-n times; 128 does nothing.
// Each image row is packed on its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace zurender {

constexpr std::size_t kPackBitsMaxPacket = 128;

// The most bytes that packing size bytes can give: one header per 128 literal bytes.
constexpr std::size_t PackBitsBound(std::size_t size) { return size + (size + kPackBitsMaxPacket - 1) / kPackBitsMaxPacket; }

// Packs row into out, which must have room for PackBitsBound(row.size()) bytes; returns the
// number of bytes written.
std::size_t PackBits(std::span<const std::uint8_t> row, std::uint8_t* out);

// Unpacks exactly row.size() bytes from packed, which must hold exactly the packets for them.
// False on any disagreement (short input, a packet that passes the row's end, bytes left over).
bool UnpackBits(std::span<const std::uint8_t> packed, std::span<std::uint8_t> row);

}  // namespace zurender
