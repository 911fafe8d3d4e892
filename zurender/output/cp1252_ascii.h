// Names (Windows-1252 bytes, text_encoding.h) as plain ASCII, for the contact sheet's font, which
// has only ASCII glyphs.
#pragma once

namespace zurender {

// A printable ASCII byte stays; an accented letter gives its base letter, a typographic quote,
// dash or sign the ASCII one that looks most like it; anything else '?'.
inline char Cp1252ToAscii(char byte) {
  const auto c = static_cast<unsigned char>(byte);
  if (c >= 0x20 && c < 0x7F) return byte;
  // 0x80..0x9F: the euro sign as 'E', quotes, dashes, the letters with carons; undefined bytes '?'.
  constexpr char kFrom80[] = "E?,f\".++^%S<O?Z?" "?''\"\"*--~Ts>o?zY";  // split: no trigraph
  // 0xA0..0xBF: the no-break space as a space; signs as their nearest look-alike.
  constexpr char kFromA0[] = " !cLoY|S\"ca<--R-o+23'uP.,1o>423?";
  // 0xC0..0xFF; the multiplication and division signs become 'x' and '/'.
  constexpr char kFromC0[] = "AAAAAAACEEEEIIIIDNOOOOOxOUUUUYPsaaaaaaaceeeeiiiidnooooo/ouuuuypy";
  if (c >= 0xC0) return kFromC0[c - 0xC0];
  if (c >= 0xA0) return kFromA0[c - 0xA0];
  return c >= 0x80 ? kFrom80[c - 0x80] : '?';
}

}  // namespace zurender
