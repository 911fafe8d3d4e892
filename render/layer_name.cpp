#include "render/layer_name.h"

#include <cstring>

namespace zu {

namespace {
// Appends as much of text as fits after length characters; returns the new length.
std::size_t Append(std::uint8_t* chars, std::size_t length, const char* text) {
  if (text == nullptr) return length;
  const std::size_t room = kDeclaredNameMaxLength - length;
  const std::size_t n = strnlen(text, room);
  std::memcpy(chars + length, text, n);
  return length + n;
}
}  // namespace

void ComposeLayerName(const char* baseName, const char* layerName, std::int32_t nameMode,
                      std::uint8_t (&out)[kDeclaredNameBytes]) {
  // Composed straight into the fixed field: no working copy is needed, and names that do not
  // fit are cut at the same 63 characters.
  std::uint8_t* chars = out + 1;
  std::size_t length = 0;
  if (nameMode == kBaseNameFirst) {
    length = Append(chars, length, baseName);
    length = Append(chars, length, layerName);
  } else if (nameMode == kBaseNameLast) {
    length = Append(chars, length, layerName);
    length = Append(chars, length, baseName);
  } else {
    length = Append(chars, length, layerName);
  }
  out[0] = static_cast<std::uint8_t>(length);
}

}  // namespace zu
