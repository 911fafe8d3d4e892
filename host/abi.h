// Calling convention and four-character codes shared by every host interface.
#pragma once

#include <cstdint>

// The host is a 32-bit program: every record it passes is a 32-bit layout.
static_assert(sizeof(void*) == 4, "ZU Layers is built for 32-bit hosts only");

// Every entry point and every host function pointer uses the C calling convention.
#if defined(__i386__) || defined(_M_IX86)
#define ZU_ABI __attribute__((cdecl))
#else
#define ZU_ABI
#endif

// Marks the seven entry points; everything else in the library stays hidden.
#if defined(_WIN32)
#define ZU_EXPORT extern "C" __declspec(dllexport)
#else
#define ZU_EXPORT extern "C" __attribute__((visibility("default")))
#endif

// A four-character code with its first character in the most significant byte.
constexpr std::uint32_t FourCC(const char (&code)[5]) {
  return (std::uint32_t(std::uint8_t(code[0])) << 24) | (std::uint32_t(std::uint8_t(code[1])) << 16) |
         (std::uint32_t(std::uint8_t(code[2])) << 8) | std::uint32_t(std::uint8_t(code[3]));
}

constexpr std::uint32_t kRenderHostCode = FourCC("ZUAR");  // the rendering host
