// Fixed values of the stored layer list: magic (kStoredListMagic), base name ShortString, count,
// then per layer six words and a name ShortString. Every word is big-endian; there is no padding
// and no length.
#pragma once

#include <cstdint>

#include "host/stored_block_descriptor.h"

namespace zu {

// Names are stored with at most 64 characters: what the dialog lets the user type, and what
// lists saved so far hold. Longer names are cut on save.
constexpr std::int32_t kStoredNameLimit = 64;

// The host hands over the stored list's address but not its size, and keeps stored blocks
// readable at least this far: the reader never looks further.
constexpr std::int32_t kStoredListReadLimit = 0x100000;

// The six words of an entry and its name's length byte: the least room one stored layer takes.
constexpr std::int32_t kStoredEntryMinimumSize = 6 * 4 + 1;

}  // namespace zu
