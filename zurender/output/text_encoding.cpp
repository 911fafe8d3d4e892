#include "zurender/output/text_encoding.h"

namespace zurender {

std::string Latin1ToUtf8(std::string_view latin1) {
  std::string utf8;
  utf8.reserve(latin1.size());
  for (const char c : latin1) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      utf8 += c;
    } else {
      utf8 += static_cast<char>(0xC0 | (byte >> 6));
      utf8 += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return utf8;
}

std::string Utf8ToLatin1(std::string_view utf8) {
  std::string latin1;
  latin1.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    if (lead < 0x80) {
      latin1 += static_cast<char>(lead);
      ++i;
      continue;
    }
    // Length of the sequence from its lead byte; a stray continuation byte counts as one.
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    std::size_t end = i + 1;
    while (end < utf8.size() && end < i + length && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) ++end;
    const bool twoByteLatin1 = length == 2 && end == i + 2 && (lead == 0xC2 || lead == 0xC3);
    latin1 += twoByteLatin1
                  ? static_cast<char>(((lead & 0x03) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3F))
                  : '?';
    i = end;
  }
  return latin1;
}

std::u16string Latin1ToUtf16(std::string_view latin1) {
  std::u16string utf16;
  utf16.reserve(latin1.size());
  for (const char c : latin1) utf16 += static_cast<char16_t>(static_cast<unsigned char>(c));
  return utf16;
}

std::string Utf16ToLatin1(std::u16string_view utf16) {
  std::string latin1;
  latin1.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    const char16_t unit = utf16[i];
    if (unit <= 0xFF) {
      latin1 += static_cast<char>(unit);
    } else {
      latin1 += '?';
      // A surrogate pair is one character.
      if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] < 0xE000) ++i;
    }
  }
  return latin1;
}

std::string BlendKeyText(std::uint32_t key) {
  std::string text(4, ' ');
  for (int i = 0; i < 4; ++i) {
    const auto c = static_cast<unsigned char>(key >> (24 - 8 * i));
    text[i] = c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?';
  }
  return text;
}

std::uint32_t BlendKeyFromText(std::string_view text) {
  if (text.size() != 4) return 0;
  std::uint32_t key = 0;
  for (const char c : text) key = (key << 8) | static_cast<unsigned char>(c);
  return key;
}

}  // namespace zurender
