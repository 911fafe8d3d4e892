#include "zurender/base/file_name_fragment.h"

#include "zurender/base/text_encoding.h"

namespace zurender {

std::string SafeFileNameFragment(std::string_view layerName) {
  std::string fragment;
  for (const char byte : layerName) {
    const auto c = static_cast<unsigned char>(byte);
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                       c == '_' || (c == '.' && !fragment.empty());
    const bool beyondAscii = c >= 0x80 && c != 0xA0 && IsCp1252Printable(byte);  // the no-break space is a space
    const std::string piece = plain ? std::string(1, byte)
                              : beyondAscii ? Cp1252ToUtf8(std::string_view(&byte, 1))
                              : std::string(1, c == ' ' || c == 0xA0 ? '-' : '_');
    if (fragment.size() + piece.size() > kMaxFileNameFragment) break;
    fragment += piece;
  }
  return fragment.empty() ? std::string("layer") : fragment;
}

}  // namespace zurender
