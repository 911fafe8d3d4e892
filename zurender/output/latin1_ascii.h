// Latin-1 letters with accents as their plain ASCII letter, for places that only have ASCII
// (file names, the contact sheet's font).
#pragma once

namespace zurender {

// A printable ASCII byte stays; an accented letter gives its base letter; anything else '?'.
inline char Latin1ToAscii(char byte) {
  const auto c = static_cast<unsigned char>(byte);
  if (c >= 0x20 && c < 0x7F) return byte;
  // U+00C0 to U+00FF; the multiplication and division signs become 'x' and '/'.
  constexpr char kFrom00C0[] = "AAAAAAACEEEEIIIIDNOOOOOxOUUUUYPsaaaaaaaceeeeiiiidnooooo/ouuuuypy";
  return c >= 0xC0 ? kFrom00C0[c - 0xC0] : '?';
}

}  // namespace zurender
