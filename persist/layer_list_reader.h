// Reading a layer list from its stored form.
#pragma once

#include "persist/byte_stream.h"

namespace zu {

struct LayerList;
struct LayerRecord;

// Replaces list with the stored list; false when the stream does not hold one or room for it
// cannot be had. On failure the records read so far stay in the list for the caller to clear.
bool ReadLayerList(LayerList& list, ByteStream& stream);

// The six stored words and the name into record, whose id becomes 0 until the list is
// renumbered; false when the stream fails or the name cannot be kept.
bool ReadLayerEntry(LayerRecord& record, ByteStream& stream);

// A new host string of the stored characters, " " for a stored length of 0; none when the
// stream fails or the host refuses the room.
char* ReadShortString(ByteStream& stream);

}  // namespace zu
