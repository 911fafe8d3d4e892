// The stream variant that touches no memory and only adds up what it is offered, so that a
// writer learns its exact size before it asks the host for a block.
#pragma once

#include "persist/byte_stream.h"

namespace zu {

extern const ByteStreamOps kSizeCounterOps;

ByteStream MakeSizeCounter();

}  // namespace zu
