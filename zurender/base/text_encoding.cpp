#include "zurender/base/text_encoding.h"

#include <cstdio>

namespace zurender {
namespace {

// The characters of bytes 0x80..0x9F. The five bytes the code page leaves undefined read as the
// control characters of the same number, as the host's platform reads them, so that they survive
// a round trip.
constexpr char16_t kFrom80[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                  0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char32_t kMalformed = 0xFFFFFFFF;

char32_t CharacterOf(char byte) {
  const auto b = static_cast<unsigned char>(byte);
  return b >= 0x80 && b < 0xA0 ? kFrom80[b - 0x80] : b;
}

// The byte that holds a character, or -1 when the code page has none.
int ByteOf(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return int(c);
  for (int i = 0; i < 32; ++i)
    if (kFrom80[i] == c) return 0x80 + i;
  return -1;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The character that starts at text[i] and the bytes it takes; kMalformed, taking one byte, for
// anything but a well-formed sequence (no overlong forms, no surrogates, nothing past U+10FFFF).
char32_t DecodeUtf8(std::string_view text, std::size_t i, std::size_t& length) {
  length = 1;
  const auto lead = static_cast<unsigned char>(text[i]);
  if (lead < 0x80) return lead;
  const std::size_t n = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3 : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
  if (n == 0 || i + n > text.size()) return kMalformed;
  char32_t c = lead & (0xFF >> (n + 1));
  for (std::size_t k = 1; k < n; ++k) {
    const auto next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) return kMalformed;
    c = (c << 6) | (next & 0x3F);
  }
  const char32_t least = n == 2 ? 0x80 : n == 3 ? 0x800 : 0x10000;
  if (c < least || (c >= 0xD800 && c < 0xE000) || c > 0x10FFFF) return kMalformed;
  length = n;
  return c;
}

std::string CodePointText(char32_t c) {
  char text[16];
  std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
  return text;
}

}  // namespace

bool IsCp1252Printable(char byte) {
  const char32_t c = CharacterOf(byte);
  return c >= 0x20 && c != 0x7F && !(c >= 0x80 && c < 0xA0);
}

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string utf8;
  utf8.reserve(bytes.size());
  for (const char byte : bytes) AppendUtf8(utf8, CharacterOf(byte));
  return utf8;
}

std::u16string Cp1252ToUtf16(std::string_view bytes) {
  std::u16string utf16;
  utf16.reserve(bytes.size());
  for (const char byte : bytes) utf16 += static_cast<char16_t>(CharacterOf(byte));
  return utf16;
}

std::string Utf8ToCp1252(std::string_view utf8) {
  std::string bytes;
  bytes.reserve(utf8.size());
  for (std::size_t i = 0, length = 0; i < utf8.size(); i += length) {
    const char32_t c = DecodeUtf8(utf8, i, length);
    const int byte = c == kMalformed ? -1 : ByteOf(c);
    bytes += byte < 0 ? '?' : static_cast<char>(byte);
  }
  return bytes;
}

std::string Utf16ToCp1252(std::u16string_view utf16) {
  std::string bytes;
  bytes.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    const char16_t unit = utf16[i];
    const int byte = unit >= 0xD800 && unit < 0xE000 ? -1 : ByteOf(unit);
    bytes += byte < 0 ? '?' : static_cast<char>(byte);
    // A surrogate pair is one character.
    if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] < 0xE000) ++i;
  }
  return bytes;
}

Result<std::string> TypedTextToCp1252(std::string_view utf8) {
  std::string bytes;
  for (std::size_t i = 0, length = 0; i < utf8.size(); i += length) {
    const char32_t c = DecodeUtf8(utf8, i, length);
    if (c == kMalformed) {
      char byte[8];
      std::snprintf(byte, sizeof byte, "0x%02X", static_cast<unsigned>(static_cast<unsigned char>(utf8[i])));
      return Status::Error("it is not UTF-8 text (byte " + std::string(byte) + " at byte " + std::to_string(i + 1) + ")");
    }
    if (c < 0x20 || (c >= 0x7F && c < 0xA0)) return Status::Error("it holds a control character (" + CodePointText(c) + ")");
    const int byte = ByteOf(c);
    if (byte < 0) {
      // Appended piece by piece: GCC 12 warns wrongly about overlap in "\"" + string at -O3.
      std::string message(1, '"');
      message.append(utf8.substr(i, length));
      message.append("\" (").append(CodePointText(c));
      message.append(") is not a character of Windows-1252, the code page the host keeps names in");
      return Status::Error(message);
    }
    bytes += static_cast<char>(byte);
  }
  return bytes;
}

}  // namespace zurender
