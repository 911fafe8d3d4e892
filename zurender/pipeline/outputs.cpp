#include "zurender/pipeline/outputs.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <cstdio>
#include <functional>

#include "zurender/base/file_name_fragment.h"
#include "zurender/base/four_cc.h"
#include "zurender/output/psd_writer.h"
#include "zurender/pipeline/parallel.h"
#if ZURENDER_FULL_OUTPUTS
#include "zu_version.h"
#include "zurender/base/text_encoding.h"
#include "zurender/output/contact_sheet.h"
#include "zurender/output/exr_writer.h"
#include "zurender/output/linear_profile.h"
#include "zurender/output/preview_png.h"
#include "zurender/settings/vocabulary.h"
#endif

namespace zurender {
namespace {

#if ZURENDER_FULL_OUTPUTS
// A blend key by the name of its mode ("multiply"); a key the dialog does not list in quotes.
std::string ModeNameOfKey(std::uint32_t key) {
  if (const std::optional<std::int32_t> mode = BlendModeOfKey(key)) return BlendModeName(*mode);
  // Appended piece by piece: GCC 12 warns wrongly about overlap in "'" + string + "'" at -O3.
  std::string quoted(1, '\'');
  quoted.append(FourCCText(key));
  quoted.push_back('\'');
  return quoted;
}
#endif

}  // namespace

std::string PreviewFileName(std::size_t index, std::size_t layerCount, const std::string& name) {
  const int digits = layerCount >= 1000 ? 4 : (layerCount >= 100 ? 3 : 2);
  char number[16];
  std::snprintf(number, sizeof number, "%0*zu", digits, index + 1);
  return "layers/" + std::string(number) + "-" + SafeFileNameFragment(name) + ".png";
}

namespace {

// What a layer is shown by: its declared name, a mask's with its number (ShownName).
std::string ShownLayerName(const DeclaredLayer& layer) {
  return ShownName(LayerView{layer.name, layer.blendKey, true, {}, LayerAlpha::kOpaque, MaskNumber(layer)});
}

}  // namespace

std::vector<std::string> OutputFiles(const std::vector<DeclaredLayer>& layers) {
  std::vector<std::string> files = {"render.psd"};
  if (kWritesPreviews) {
    files.insert(files.end(), {"render.exr", "contact-sheet.png"});
    for (std::size_t i = 0; i < layers.size(); ++i)
      files.push_back(PreviewFileName(i, layers.size(), ShownLayerName(layers[i])));
  }
  files.push_back("manifest.json");
  return files;
}

std::size_t MaxOutputLayers() {
  constexpr std::size_t kNumberedPreviews = 9999;
  std::size_t most = std::min<std::size_t>(kPsdMaxLayers, kNumberedPreviews);
#if ZURENDER_FULL_OUTPUTS
  most = std::min(most, ContactSheetCapacity());
#endif
  return most;
}

std::vector<LayerView> LayerViews(const Frame& frame) {
  std::vector<LayerView> views;
  for (const FrameLayer& layer : frame.layers())
    views.push_back(LayerView{layer.info.name, layer.info.blendKey, !HiddenInStack(layer.info),
                              std::span<const ColourValue>(layer.pixels.get(), frame.pixelCount()),
                              CarriesCoverage(layer.info) ? LayerAlpha::kCoverage : LayerAlpha::kOpaque,
                              MaskNumber(layer.info)});
  return views;
}

WrittenOutputs WriteOutputs(const Frame& frame, const OutputRequest& request, StagedFiles& staged) {
  WrittenOutputs written;
  const std::size_t count = frame.pixelCount();
  const std::vector<LayerView> views = LayerViews(frame);
  const std::span<const ColourValue> finalImage(frame.finalImage(), count);
  const std::string dir = request.directory + "/";
  // Every file goes to its staging name; the names are taken here, before the threads start.
  std::vector<DeclaredLayer> layers;
  for (const FrameLayer& layer : frame.layers()) layers.push_back(layer.info);
  std::vector<std::string> at;
  for (const std::string& file : OutputFiles(layers))
    if (file != "manifest.json") at.push_back(staged.Stage(dir + file));

  // Every file is one job; the jobs share the threads.
  std::vector<std::function<Status()>> jobs;
  written.files = {"render.psd"};
#if ZURENDER_FULL_OUTPUTS
  jobs.push_back([&]() -> Status {
    const Result<std::vector<std::uint8_t>> profile = LinearSrgbProfile();
    if (!profile.ok()) return profile.status();
    return WritePsd(at[0], PsdImage{frame.width(), frame.height(), request.depth, views, finalImage, profile.value()});
  });
  written.files.insert(written.files.end(), {"render.exr", "contact-sheet.png"});
  jobs.push_back([&] {
    return WriteExr(at[1], ExrImage{frame.width(), frame.height(), views, ExrCompression::kZip, finalImage,
                                    request.exrHalf, "zurender " ZU_VERSION_TEXT, request.created});
  });
  std::vector<std::string> modes;
  for (const LayerView& view : views) modes.push_back(ModeNameOfKey(view.blendKey));
  jobs.push_back([&] {
    const std::string details = std::to_string(frame.width()) + " x " + std::to_string(frame.height()) + ", " +
                                std::to_string(request.depth) + "-bit, " + std::to_string(views.size()) + (views.size() == 1 ? " layer" : " layers");
    return WriteContactSheet(at[2],
                             ContactSheet{request.title, details, frame.width(), frame.height(), views, modes});
  });
  for (std::size_t i = 0; i < views.size(); ++i) {
    written.previews.push_back(PreviewFileName(i, views.size(), ShownName(views[i])));
    jobs.push_back([&, i] { return WritePreviewPng(at[3 + i], frame.width(), frame.height(), views[i].pixels); });
  }
  written.files.insert(written.files.end(), written.previews.begin(), written.previews.end());
#else
  // Without a colour management library the layered file goes without its profile.
  jobs.push_back([&] {
    return WritePsd(at[0], PsdImage{frame.width(), frame.height(), request.depth, views, finalImage, {}});
  });
#endif

  std::atomic<std::size_t> next{0};
  std::vector<Status> results(jobs.size());
  RunOnThreads(std::max(1, request.threads), [&](int) {
    for (std::size_t job = next++; job < jobs.size(); job = next++) results[job] = jobs[job]();
  });
  for (const Status& result : results)
    if (!result.ok()) {
      written.error = staged.Unstaged(result.message());
      break;
    }
  return written;
}

void RemoveStalePreviews(const std::string& directory, const std::vector<std::string>& previews) {
  namespace fs = std::filesystem;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(directory + "/layers", error)) {
    const std::string name = entry.path().filename().string();
    // Ours are NN-<name>.png with two to four digits.
    const std::size_t dash = name.find('-');
    const bool ours = dash >= 2 && dash <= 4 && name.size() > 4 && name.compare(name.size() - 4, 4, ".png") == 0 &&
                      std::all_of(name.begin(), name.begin() + std::ptrdiff_t(dash), [](char c) { return c >= '0' && c <= '9'; });
    if (ours && entry.is_regular_file(error) &&
        std::find(previews.begin(), previews.end(), "layers/" + name) == previews.end())
      fs::remove(entry.path(), error);
  }
}

}  // namespace zurender
