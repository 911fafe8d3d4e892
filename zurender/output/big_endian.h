// Byte order of the layered image format: every number in a PSD file is big-endian. All packing
// and unpacking of multi-byte numbers for that format goes through these helpers.
#pragma once

#include <bit>
#include <cstdint>

namespace zurender {

inline void PutU16(std::uint8_t* p, std::uint16_t v) {
  p[0] = std::uint8_t(v >> 8);
  p[1] = std::uint8_t(v);
}
inline void PutU32(std::uint8_t* p, std::uint32_t v) {
  p[0] = std::uint8_t(v >> 24);
  p[1] = std::uint8_t(v >> 16);
  p[2] = std::uint8_t(v >> 8);
  p[3] = std::uint8_t(v);
}
inline void PutF32(std::uint8_t* p, float v) { PutU32(p, std::bit_cast<std::uint32_t>(v)); }

inline std::uint16_t GetU16(const std::uint8_t* p) { return std::uint16_t((p[0] << 8) | p[1]); }
inline std::uint32_t GetU32(const std::uint8_t* p) {
  return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}
inline float GetF32(const std::uint8_t* p) { return std::bit_cast<float>(GetU32(p)); }

// A four-character code such as 'mul ' as one number, first character in the top byte.
constexpr std::uint32_t FourCc(const char (&text)[5]) {
  return (std::uint32_t(std::uint8_t(text[0])) << 24) | (std::uint32_t(std::uint8_t(text[1])) << 16) |
         (std::uint32_t(std::uint8_t(text[2])) << 8) | std::uint32_t(std::uint8_t(text[3]));
}

}  // namespace zurender
