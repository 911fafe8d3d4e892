#include "zurender/settings/base64.h"

namespace zurender {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int ValueOf(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

}  // namespace

std::string EncodeBase64(const std::vector<std::uint8_t>& bytes) {
  std::string text;
  text.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t n = bytes.size() - i < 3 ? bytes.size() - i : 3;
    std::uint32_t group = std::uint32_t(bytes[i]) << 16;
    if (n > 1) group |= std::uint32_t(bytes[i + 1]) << 8;
    if (n > 2) group |= bytes[i + 2];
    for (std::size_t k = 0; k < 4; ++k)
      text += k <= n ? kAlphabet[(group >> (18 - 6 * k)) & 63] : '=';
  }
  return text;
}

std::optional<std::vector<std::uint8_t>> DecodeBase64(const std::string& text) {
  std::vector<std::uint8_t> bytes;
  std::uint32_t group = 0;
  int held = 0, padding = 0;
  for (char c : text) {
    if (c == ' ' || c == '\n' || c == '\r' || c == '\t') continue;
    if (c == '=') {
      ++padding;
      continue;
    }
    const int value = ValueOf(c);
    if (value < 0 || padding > 0) return std::nullopt;  // no data after padding
    group = group << 6 | std::uint32_t(value);
    if (++held == 4) {
      bytes.push_back(std::uint8_t(group >> 16));
      bytes.push_back(std::uint8_t(group >> 8));
      bytes.push_back(std::uint8_t(group));
      group = 0;
      held = 0;
    }
  }
  // A last group of 2 or 3 characters carries 1 or 2 bytes; 1 character carries none.
  if (held == 1 || padding > 2 || (padding > 0 && held + padding != 4)) return std::nullopt;
  if (held == 2) bytes.push_back(std::uint8_t(group >> 4));
  if (held == 3) {
    bytes.push_back(std::uint8_t(group >> 10));
    bytes.push_back(std::uint8_t(group >> 2));
  }
  return bytes;
}

}  // namespace zurender
