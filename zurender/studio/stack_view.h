// The layers of a render as an editor stacks them, for the page's viewer: the layered file read
// once, then stacked again with whichever layers the person switches on, with the check's own
// stacking, and measured against the file's Final Render.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "zurender/check/stack.h"
#include "zurender/output/psd_reader.h"

namespace zurender {

struct StackPictures {
  ErrorStats error;
  std::vector<std::uint8_t> composite;  // PNG: the stack, with its alpha
  std::vector<std::uint8_t> difference;  // PNG: each pixel's largest channel error, on a log scale
};

class StackView {
 public:
  // Reads render.psd; none, with error set, when it cannot be read or is too large to hold.
  static std::unique_ptr<StackView> Load(const std::string& psdPath, std::string& error);

  int width() const { return psd_.width; }
  int height() const { return psd_.height; }
  int depth() const { return psd_.depth; }
  const std::vector<PsdLayer>& layers() const { return psd_.layers; }
  // PNG of the file's merged image, the Final Render at the file's depth.
  const std::vector<std::uint8_t>& finalRender() const { return final_; }

  // The layers marked visible (top first, one flag per layer), stacked bottom-up at the file's depth.
  StackPictures Compose(const std::vector<bool>& visible) const;

 private:
  PsdDocument psd_;
  std::vector<std::uint8_t> final_;
};

// The colour of an error on the difference picture's scale: black at 1e-4 and below, through
// red and orange, to white at 1 and above.
void ErrorColour(double error, std::uint8_t rgb[3]);

}  // namespace zurender
