#include "zurender/check/render_agreement.h"

namespace zurender {
namespace {

std::string Size(const RenderFileFacts& f) { return std::to_string(f.width) + "x" + std::to_string(f.height); }

std::string Quoted(const std::string& name) {
  std::string shown;
  for (unsigned char c : name.substr(0, 64)) shown += c >= 0x20 && c < 0x7F ? char(c) : '?';
  return "\"" + shown + "\"";
}

}  // namespace

std::string Disagreement(const RenderFileFacts& reference, const RenderFileFacts& other) {
  std::string why;
  if (other.width != reference.width || other.height != reference.height) {
    why = "it is " + Size(other) + ", not " + Size(reference);
  } else if (other.depth != 0 && reference.depth != 0 && other.depth != reference.depth) {
    why = "it is " + std::to_string(other.depth) + "-bit, not " + std::to_string(reference.depth) + "-bit";
  } else if (other.layers.size() != reference.layers.size()) {
    why = "it holds " + std::to_string(other.layers.size()) + " layers, not " + std::to_string(reference.layers.size());
  } else {
    for (std::size_t i = 0; i < other.layers.size() && why.empty(); ++i)
      if (other.layers[i] != reference.layers[i])
        why = "its layer " + std::to_string(i + 1) + " is " + Quoted(other.layers[i]) + ", not " + Quoted(reference.layers[i]);
  }
  return why.empty() ? why : other.file + " is not of the render " + reference.file + " describes: " + why;
}

}  // namespace zurender
