// Base64 (RFC 4648, with padding), for the stored layer list in settings files.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zurender {

std::string EncodeBase64(const std::vector<std::uint8_t>& bytes);
// The bytes, or none when the text is not base64 (whitespace is allowed between characters).
std::optional<std::vector<std::uint8_t>> DecodeBase64(const std::string& text);

}  // namespace zurender
