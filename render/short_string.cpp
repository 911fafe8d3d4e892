#include "render/short_string.h"

#include <cstring>

namespace zu {

std::uint8_t* ToShortString(const char* text, std::uint8_t* buffer, std::size_t maxLength) {
  if (maxLength > kShortStringMaxLength) maxLength = kShortStringMaxLength;
  const std::size_t length = text == nullptr ? 0 : strnlen(text, maxLength);
  // memmove, since converting a string in place shifts its characters up by one.
  if (length > 0) std::memmove(buffer + 1, text, length);
  buffer[0] = static_cast<std::uint8_t>(length);
  return buffer;
}

}  // namespace zu
