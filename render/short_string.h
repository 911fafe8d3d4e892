// Length-prefixed strings as the host reads them: one length byte, then the characters, no NUL.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zu {

constexpr std::size_t kShortStringMaxLength = 255;  // what one length byte can count

// Writes text (none counts as empty) into buffer as a short string of at most maxLength
// characters, longer text being cut; buffer holds the length byte and maxLength characters, and
// may be the text itself. Returns buffer.
std::uint8_t* ToShortString(const char* text, std::uint8_t* buffer,
                            std::size_t maxLength = kShortStringMaxLength);

}  // namespace zu
