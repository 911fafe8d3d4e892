// Layer names are bytes, as the plug-in declares them and the host keeps them: text in
// Windows-1252, the code page of the host's platform (one byte a character: ASCII, the Latin-1
// letters, and in 0x80..0x9F the euro sign, typographic quotes and dashes, Œ, Š, Ž, Ÿ...).
// Formats that store Unicode get them converted here, and back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "zurender/base/status.h"

namespace zurender {

// Whether a byte is a printable character: not a control character, nor one of the five bytes
// the code page leaves undefined (which read as control characters).
bool IsCp1252Printable(char byte);

std::string Cp1252ToUtf8(std::string_view bytes);
std::u16string Cp1252ToUtf16(std::string_view bytes);
// What other programs wrote, read back: a character the code page cannot hold and a malformed
// sequence become '?'.
std::string Utf8ToCp1252(std::string_view utf8);
std::string Utf16ToCp1252(std::u16string_view utf16);

// Text a person typed (UTF-8) as the host keeps it; refused, with a message naming the first
// character, when the code page cannot hold a character of it, when it holds a control
// character, or when it is not UTF-8 at all. Nothing is replaced silently.
Result<std::string> TypedTextToCp1252(std::string_view utf8);

}  // namespace zurender
