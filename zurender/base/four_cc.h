// Four-character codes: blend keys ('mul '), magic words ('LYER'), tags of the host's own files.
// A code is one 32-bit number with its first character in the most significant byte, spelt
// FourCC("mul ") (host/abi.h) where it is known when compiling.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "host/abi.h"

namespace zurender {

// The word whose four bytes, stored little-endian as the host's own files are, spell code:
// LittleEndianFourCC("ZUHR") is written as the bytes 'Z', 'U', 'H', 'R'.
constexpr std::uint32_t LittleEndianFourCC(const char (&code)[5]) {
  return std::uint32_t(std::uint8_t(code[0])) | (std::uint32_t(std::uint8_t(code[1])) << 8) |
         (std::uint32_t(std::uint8_t(code[2])) << 16) | (std::uint32_t(std::uint8_t(code[3])) << 24);
}

// The four characters as they are, first character first.
std::string FourCCChars(std::uint32_t code);
// The same for a person to read: a byte that is no printable ASCII character shows as '?'.
std::string FourCCText(std::uint32_t code);
// The code of four characters; text of any other length gives 0, which is no code.
std::uint32_t FourCCFromChars(std::string_view text);

}  // namespace zurender
