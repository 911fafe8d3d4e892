// Compares two files of the values a plug-in wrote (zurender --plugin-writes), bit for bit: every
// layer, pixel and channel. Prints each difference, naming the layer, pixel and channel, and exits
// 1 when there is one, 0 when the files agree, 2 when a file cannot be read.
// usage: compare_plugin_writes EXPECTED ACTUAL
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "host/colour_value.h"

namespace {

struct Writes {
  std::uint32_t width = 0, height = 0;
  std::vector<std::string> names;
  std::vector<std::uint8_t> written;   // layer by layer, pixel by pixel
  std::vector<ColourValue> values;
};

bool Read(const char* path, Writes& w) {
  std::ifstream in(path, std::ios::binary);
  std::uint32_t header[4];
  if (!in.read(reinterpret_cast<char*>(header), sizeof header) || header[0] != 0x5750555Au) return false;
  w.width = header[1];
  w.height = header[2];
  if (w.width > 4096 || w.height > 4096 || header[3] > 4096) return false;
  for (std::uint32_t i = 0; i < header[3]; ++i) {
    const int length = in.get();
    if (length < 0) return false;
    std::string name(std::size_t(length), '\0');
    if (!in.read(name.data(), length)) return false;
    w.names.push_back(name);
  }
  const std::size_t count = std::size_t(w.width) * w.height * w.names.size();
  w.written.resize(count);
  w.values.resize(count);
  for (std::size_t i = 0; i < count; ++i)
    if (!in.read(reinterpret_cast<char*>(&w.written[i]), 1) ||
        !in.read(reinterpret_cast<char*>(&w.values[i]), sizeof(ColourValue)))
      return false;
  return true;
}

std::uint32_t Bits(float v) {
  std::uint32_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  return bits;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: compare_plugin_writes EXPECTED ACTUAL\n");
    return 2;
  }
  Writes a, b;
  for (auto [path, w] : {std::pair{argv[1], &a}, std::pair{argv[2], &b}})
    if (!Read(path, *w)) {
      std::fprintf(stderr, "compare_plugin_writes: cannot read %s\n", path);
      return 2;
    }
  if (a.width != b.width || a.height != b.height || a.names != b.names) {
    std::printf("the two renders declared different layers or sizes\n");
    return 1;
  }
  const std::size_t pixels = std::size_t(a.width) * a.height;
  std::size_t differences = 0, values = 0;
  const char* channels[4] = {"alpha", "red", "green", "blue"};
  for (std::size_t i = 0; i < a.written.size(); ++i) {
    const std::string& layer = a.names[i / pixels];
    const std::size_t x = i % pixels % a.width, y = i % pixels / a.width;
    if (a.written[i] != b.written[i]) {
      if (++differences <= 20)
        std::printf("layer \"%s\", pixel (%zu, %zu): written by %s only\n", layer.c_str(), x, y,
                    a.written[i] ? "the first" : "the second");
      continue;
    }
    if (!a.written[i]) continue;
    ++values;
    const float va[4] = {a.values[i].alpha, a.values[i].red, a.values[i].green, a.values[i].blue};
    const float vb[4] = {b.values[i].alpha, b.values[i].red, b.values[i].green, b.values[i].blue};
    for (int c = 0; c < 4; ++c)
      if (Bits(va[c]) != Bits(vb[c]) && ++differences <= 20)
        std::printf("layer \"%s\", pixel (%zu, %zu), %s: %.9g (0x%08x) against %.9g (0x%08x)\n", layer.c_str(), x, y,
                    channels[c], double(va[c]), Bits(va[c]), double(vb[c]), Bits(vb[c]));
  }
  if (values == 0) {
    std::printf("the plug-in wrote nothing to compare\n");
    return 1;
  }
  std::printf("%zu values in %zu layers compared: %zu difference%s\n", values, a.names.size(), differences,
              differences == 1 ? "" : "s");
  return differences == 0 ? 0 : 1;
}
