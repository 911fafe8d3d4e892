// Writing a rendered frame into the output folder: the layered PSD, the multi-layer EXR, a
// preview per layer and the contact sheet. Each file is complete or absent.
#pragma once

#include <string>
#include <vector>

#include "zurender/app/frame.h"
#include "zurender/output/layer_view.h"

namespace zurender {

struct OutputRequest {
  std::string directory;
  int depth = 16;           // of the PSD
  bool exrHalf = false;     // the EXR's layers in half floats
  std::int64_t created = -1;  // seconds since 1970 UTC, the EXR's creation time; negative: none
  std::string title;        // the contact sheet's
  int threads = 1;
};

struct WrittenOutputs {
  std::vector<std::string> files;     // relative to the directory, in a fixed order
  std::vector<std::string> previews;  // per layer, relative to the directory
  std::string error;                  // the first failure; the other files are still written
};

// Whether this build writes the EXR file, the previews and the contact sheet (the Windows build
// lacks the libraries they need).
constexpr bool kWritesPreviews = ZURENDER_FULL_OUTPUTS != 0;

// The preview file of layer index (0-based) with this name (Windows-1252, as a layer is shown:
// ShownName): layers/NN-<name>.png, the name in UTF-8.
std::string PreviewFileName(std::size_t index, std::size_t layerCount, const std::string& name);

// The layers as the writers take them: names as declared, masks with their numbers, and
// which alpha is coverage (CarriesCoverage).
std::vector<LayerView> LayerViews(const Frame& frame);

WrittenOutputs WriteOutputs(const Frame& frame, const OutputRequest& request);

// Removes the previews of an earlier render in the folder that this render did not write, so the
// folder holds one render; files of any other name are left alone.
void RemoveStalePreviews(const std::string& directory, const std::vector<std::string>& previews);

}  // namespace zurender
