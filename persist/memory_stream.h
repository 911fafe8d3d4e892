// The stream variant that reads and writes a block of memory, never past its end.
#pragma once

#include <cstdint>

#include "persist/byte_stream.h"

namespace zu {

extern const ByteStreamOps kMemoryStreamOps;

// A healthy stream over the size bytes from start; the block stays the caller's.
ByteStream MakeMemoryStream(std::uint8_t* start, std::int32_t size);

}  // namespace zu
