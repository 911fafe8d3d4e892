// Byte order of the render host's files. The layered image format (PSD) stores every number
// big-endian; the EXR and the host's own recordings little-endian, as this 32-bit x86 program
// holds them in memory. Numbers are packed and unpacked through these helpers alone.
#pragma once

#include <bit>
#include <cstdint>

namespace zurender {

static_assert(std::endian::native == std::endian::little, "the render host runs on x86");

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

inline std::uint32_t GetU32Le(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

}  // namespace zurender
