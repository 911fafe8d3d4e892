// Length-prefixed strings as the host reads them: one length byte, then the characters, no NUL.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zu {

constexpr std::size_t kShortStringMaxLength = 255;  // what one length byte can count
constexpr std::size_t kScratchStringBytes = kShortStringMaxLength + 1;
// Buffers in the scratch ring: a caller may keep one while 19 further buffers are handed out.
constexpr std::size_t kScratchStringCount = 20;

// The next buffer of the process-wide scratch ring; the 21st call hands out the first again.
std::uint8_t* NextScratchString();

// Writes text (none counts as empty) into buffer as a short string of at most maxLength
// characters, longer text being cut; with no buffer a scratch buffer is used and maxLength is
// at most 255. buffer may be the text itself. Returns the buffer used.
std::uint8_t* ToShortString(const char* text, std::uint8_t* buffer,
                            std::size_t maxLength = kShortStringMaxLength);

}  // namespace zu
