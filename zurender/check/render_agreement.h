// Whether the files of a render folder are of one render: the manifest, the layered PSD and the
// EXR must agree on the frame's size, the PSD's depth, and the layers' count and names. A file
// copied in from another render, or left from an earlier one, is told apart before anything is
// stacked.
#pragma once

#include <string>
#include <vector>

namespace zurender {

struct RenderFileFacts {
  std::string file;                 // how the message names it: "render.exr"
  int width = 0;
  int height = 0;
  int depth = 0;                    // bits per channel; 0 where the file does not say (the EXR)
  std::vector<std::string> layers;  // names, top of the stack first, as declared (Latin-1 bytes)
};

// "" when other agrees with reference, else one sentence: `render.exr is not of the render
// manifest.json describes: it is 64x48, not 200x150`.
std::string Disagreement(const RenderFileFacts& reference, const RenderFileFacts& other);

}  // namespace zurender
