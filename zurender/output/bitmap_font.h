// A small bitmap font for the contact sheet's labels: printable ASCII (32 to 126) in 5x9 glyphs
// (capitals 7 rows high, 2 rows of descender) on a 6x11 cell, drawn at whole-number scales so that
// it stays crisp. Names are Windows-1252 bytes: accented letters draw without their accent,
// other characters as the ASCII one most like them (cp1252_ascii.h).
#pragma once

#include <cstdint>
#include <string_view>

namespace zurender {

constexpr int kGlyphWidth = 5;
constexpr int kGlyphRows = 9;
constexpr int kCellWidth = 6;     // glyph and one column of spacing
constexpr int kCellHeight = 11;   // glyph and two rows of spacing
constexpr char kFirstGlyph = ' ';
constexpr char kLastGlyph = '~';

// The glyph's rows as strings of '.' and '#'; rows past those given are blank (nullptr).
// Null for a character outside 32..126.
const char* const* GlyphRows(char c);

// An 8-bit RGB picture to draw on; drawing outside it is clipped.
struct RgbImage {
  int width = 0;
  int height = 0;
  std::uint8_t* pixels = nullptr;  // width*height*3 bytes, rows top first
  void Fill(int x, int y, int w, int h, const std::uint8_t rgb[3]);
};

// Draws text with its top-left corner at (x, y); returns the width drawn.
int DrawText(RgbImage& image, int x, int y, std::string_view text, int scale, const std::uint8_t rgb[3]);
inline int TextWidth(std::string_view text, int scale) { return int(text.size()) * kCellWidth * scale; }

}  // namespace zurender
