#include "zurender/output/file_name_fragment.h"

#include "zurender/output/latin1_ascii.h"

namespace zurender {

std::string SafeFileNameFragment(std::string_view layerName) {
  std::string fragment;
  for (const char byte : layerName) {
    if (fragment.size() == kMaxFileNameFragment) break;
    const char c = Latin1ToAscii(byte);
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                       c == '_' || (c == '.' && !fragment.empty());
    fragment += plain ? c : c == ' ' ? '-' : '_';
  }
  return fragment.empty() ? std::string("layer") : fragment;
}

}  // namespace zurender
