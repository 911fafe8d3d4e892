// Layer names are bytes as the plug-in declared them, read as Latin-1 (each byte one code point
// U+0000..U+00FF). Formats that store Unicode get them converted here, and back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zurender {

std::string Latin1ToUtf8(std::string_view latin1);
// Code points past U+00FF and malformed sequences become '?'.
std::string Utf8ToLatin1(std::string_view utf8);
std::u16string Latin1ToUtf16(std::string_view latin1);
// Units past U+00FF (surrogate pairs included) become '?'.
std::string Utf16ToLatin1(std::u16string_view utf16);

// 'mul ' as the four characters "mul " (unprintable bytes as '?'), and back: text of any other
// length than four gives 0, which is no key.
std::string BlendKeyText(std::uint32_t key);
std::uint32_t BlendKeyFromText(std::string_view text);

}  // namespace zurender
