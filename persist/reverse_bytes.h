// Byte order: everything stored (the parameter block, the stored layer list) is big-endian;
// memory is little-endian. This is the one routine that converts between them.
#pragma once

#include <cstdint>

namespace zu {

// Reverses the n bytes at p in place; n of 0 or 1 does nothing.
void ReverseBytes(void* p, std::int32_t n);

}  // namespace zu
