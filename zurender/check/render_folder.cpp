#include "zurender/check/render_folder.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "zurender/check/list_analysis.h"
#include "zurender/check/manifest_reader.h"
#include "zurender/check/render_agreement.h"
#include "zurender/output/psd_reader.h"
#if ZURENDER_FULL_OUTPUTS
#include "zurender/output/exr_reader.h"
#endif
#include "zurender/settings/stored_list_check.h"

namespace zurender {
namespace {

// What the manifest says that the files do not: the list rendered, and whether the scene has fog.
struct RenderFacts {
  std::vector<ListEntry> list;
  bool fog = false;
};

std::vector<ListEntry> ListOf(const std::vector<std::uint8_t>& stored) {
  std::vector<ListEntry> list;
  for (const hostsim::StoredLayer& l : RenderedList(stored).layers)
    list.push_back(ListEntry{l.kind, l.flags, l.blendMode, l.option1, l.option2, l.name});
  return list;
}

// A render of the manifest's frame makes files no larger than this, whose layers decode to no
// more: the layered files are read within what the render they belong to can hold. Twice the
// decoded size covers raw 32-bit channels, PackBits' and RLE's worst growth and the headers.
ImageReadLimits LimitsFor(const ManifestFacts& manifest) {
  const std::uint64_t pixels = std::uint64_t(manifest.width) * std::uint64_t(manifest.height);
  const std::uint64_t decoded = pixels * (manifest.layerNames.size() + 1) * sizeof(ColourValue);
  const ImageReadLimits most;
  return ImageReadLimits{std::min(most.fileBytes, 2 * decoded + (std::uint64_t(16) << 20)), std::min(most.decodedBytes, decoded)};
}

template <typename Layer>
RenderFileFacts FactsOf(const std::string& file, int width, int height, int depth, const std::vector<Layer>& layers) {
  RenderFileFacts facts{file, width, height, depth, {}};
  for (const Layer& layer : layers) facts.layers.push_back(layer.name);
  return facts;
}

std::vector<StackLayer> Stack(const std::vector<PsdLayer>& layers) {
  std::vector<StackLayer> stack;
  for (const PsdLayer& l : layers)
    stack.push_back(StackLayer{l.name, l.blendKey, l.visible, float(l.opacity) / 255.0f, l.pixels.data()});
  return stack;
}

#if ZURENDER_FULL_OUTPUTS
std::vector<StackLayer> Stack(const std::vector<ExrLayer>& layers) {
  std::vector<StackLayer> stack;
  for (const ExrLayer& l : layers) stack.push_back(StackLayer{l.name, l.blendKey, l.visible, 1.0f, l.pixels.data()});
  return stack;
}
#endif

std::string Sci(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1e", v);
  return text;
}

}  // namespace

std::string StackRenderFile(const RenderFileFacts& reference, const PsdDocument& psd, CheckReport& report) {
  if (std::string why = Disagreement(reference, FactsOf("render.psd", psd.width, psd.height, psd.depth, psd.layers));
      !why.empty())
    return why;
  const std::size_t count = std::size_t(psd.width) * std::size_t(psd.height);
  const std::vector<ColourValue> rebuilt = RebuildStack(Stack(psd.layers), count, psd.depth);
  report.stacks.push_back(CheckedStack{"render.psd", psd.depth == 32 ? "float" : std::to_string(psd.depth) + "-bit",
                                       MeasureError(rebuilt, psd.merged.data(), count)});
  return "";
}

#if ZURENDER_FULL_OUTPUTS
std::string StackRenderFile(const RenderFileFacts& reference, const ExrDocument& exr, CheckReport& report) {
  if (std::string why = Disagreement(reference, FactsOf("render.exr", exr.width, exr.height, 0, exr.layers));
      !why.empty())
    return why;
  const std::size_t count = std::size_t(exr.width) * std::size_t(exr.height);
  if (exr.merged.size() != count) return "render.exr holds no Final Render in its own R, G, B channels";
  const std::vector<ColourValue> rebuilt = RebuildStack(Stack(exr.layers), count, 32);
  report.stacks.push_back(
      CheckedStack{"render.exr", exr.halfLayers ? "half" : "float", MeasureError(rebuilt, exr.merged.data(), count)});
  report.judged = report.stacks.size() - 1;
  report.half = exr.halfLayers;
  return "";
}
#endif

namespace {

// A file of dir as it was read, stacked against the reference; why it cannot be, or "".
template <class Document>
std::string StackReadFile(const std::string& dir, const RenderFileFacts& reference, const Result<Document>& file,
                          CheckReport& report) {
  if (!file.ok()) return file.message();
  if (std::string why = StackRenderFile(reference, file.value(), report); !why.empty()) return dir + ": " + why;
  return "";
}

}  // namespace

CheckReport CheckRenderFolder(const std::string& dir) {
  CheckReport report;
  const Result<ManifestFacts> manifest = ReadManifest(dir + "/manifest.json");
  if (!manifest.ok()) {
    report.error = manifest.message();
    return report;
  }
  const RenderFacts facts{ListOf(manifest->storedList), manifest->fog};
  const RenderFileFacts reference{"manifest.json", manifest->width, manifest->height, manifest->depth,
                                  manifest->layerNames};
  const ImageReadLimits limits = LimitsFor(manifest.value());
  int psdDepth = 16;
  {
    // The layered file as an editor opens it: its visible layers at its depth, against its merged
    // image, which holds the Final Render at that depth.
    const Result<PsdDocument> psd = ReadPsd(dir + "/render.psd", limits);
    report.error = StackReadFile(dir, reference, psd, report);
    if (!report.error.empty()) return report;
    psdDepth = psd->depth;
  }
#if ZURENDER_FULL_OUTPUTS
  // The float file, where the render wrote one: every layer in float, against the Final Render
  // in float. (A manifest that lists no files is of an older render, which always wrote it.)
  if (manifest->files.empty() || manifest->Lists("render.exr")) {
    report.error = StackReadFile(dir, reference, ReadExr(dir + "/render.exr", limits), report);
    if (!report.error.empty()) return report;
  }
#else
  report.notes.push_back("render.exr is not checked: this build reads no EXR files; the verdict is the PSD's");
#endif
  report.obstacles = StackObstacles(facts.list, StackFacts{facts.fog, psdDepth != 32});
  return report;
}

double Allowed(const CheckReport& report, double tolerance) {
  return report.half ? std::max(tolerance, kHalfTolerance) : tolerance;
}

bool Rebuilds(const CheckReport& report, double tolerance) {
  if (!report.error.empty() || report.judged >= report.stacks.size()) return false;
  return report.stacks[report.judged].error.maxRelative <= Allowed(report, tolerance);
}

std::string FormatCheckReport(const CheckReport& report, double tolerance) {
  if (!report.error.empty()) return "check: cannot check the render: " + report.error + "\n";
  if (report.judged >= report.stacks.size()) return "check: nothing was checked\n";
  std::string out = "check: the visible layers stacked as an editor does, against the Final Render\n";
  out += "  file        arithmetic   max      mean     99%      relative\n";
  for (const CheckedStack& s : report.stacks) {
    char line[160];
    std::snprintf(line, sizeof line, "  %-10s  %-11s  %-7s  %-7s  %-7s  %s\n", s.file.c_str(), s.arithmetic.c_str(),
                  Sci(s.error.max).c_str(), Sci(s.error.mean).c_str(), Sci(s.error.p99).c_str(),
                  Sci(s.error.maxRelative).c_str());
    out += line;
  }
  out += "  (relative: the largest error over the larger of the pixel's value and 1)\n";
  for (const std::string& note : report.notes) out += "  " + note + "\n";
  const bool rebuilt = Rebuilds(report, tolerance);
  const CheckedStack& judged = report.stacks[report.judged];
  out += "  " + std::string(rebuilt ? "the layers rebuild the render" : "the layers do not rebuild the render") + " (" +
         judged.file + " error " + Sci(judged.error.maxRelative) + " relative, " + (rebuilt ? "within " : "above ") +
         Sci(Allowed(report, tolerance)) + ")\n";
  if (!report.obstacles.empty()) {
    out += "  what keeps the stack from rebuilding it:\n";
    for (const std::string& line : report.obstacles) out += "    - " + line + "\n";
  }
  return out;
}

}  // namespace zurender
