// Writing a layer list in its stored form.
#pragma once

#include <cstdint>

#include "persist/byte_stream.h"

namespace zu {

struct LayerList;
struct LayerRecord;

// The stored list in a new host block, released by the caller with HostRelease; returns its size.
// None and 0 when the host refuses the block or the list is too large for 32-bit sizes.
std::int32_t SerializeLayerList(const LayerList& list, std::uint8_t** block);

// Magic, base name, count and every record in list order; true when the stream is healthy after.
bool WriteLayerList(const LayerList& list, ByteStream& stream);

// The six stored words and the name; the record itself is not changed.
bool WriteLayerEntry(const LayerRecord& record, ByteStream& stream);

// A length byte and at most kStoredNameLimit characters; a missing text is the single byte 0.
void WriteShortString(const char* text, ByteStream& stream);

}  // namespace zu
