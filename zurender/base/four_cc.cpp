#include "zurender/base/four_cc.h"

namespace zurender {

std::string FourCCChars(std::uint32_t code) {
  return {char(code >> 24), char(code >> 16), char(code >> 8), char(code)};
}

std::string FourCCText(std::uint32_t code) {
  std::string text = FourCCChars(code);
  for (char& c : text) c = c >= 0x20 && c < 0x7F ? c : '?';
  return text;
}

std::uint32_t FourCCFromChars(std::string_view text) {
  if (text.size() != 4) return 0;
  std::uint32_t code = 0;
  for (const char c : text) code = (code << 8) | static_cast<unsigned char>(c);
  return code;
}

}  // namespace zurender
