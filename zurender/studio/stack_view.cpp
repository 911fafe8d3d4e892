#include "zurender/studio/stack_view.h"

#include <algorithm>
#include <cmath>

#include "zurender/output/png_file.h"
#include "zurender/output/srgb.h"

namespace zurender {
namespace {

// A 32-bit process holds the file, one stack and its pictures: past this the viewer declines.
constexpr std::uint64_t kMostBytes = 768ull << 20;

std::vector<std::uint8_t> Picture(const std::vector<ColourValue>& pixels, int width, int height) {
  std::vector<std::uint8_t> rgba;
  rgba.reserve(pixels.size() * 4);
  for (const ColourValue& p : pixels) {
    rgba.push_back(LinearToSrgb8(p.red));
    rgba.push_back(LinearToSrgb8(p.green));
    rgba.push_back(LinearToSrgb8(p.blue));
    const float a = std::clamp(std::isnan(p.alpha) ? 0.0f : p.alpha, 0.0f, 1.0f);
    rgba.push_back(std::uint8_t(std::lround(a * 255.0f)));
  }
  return EncodePng(width, height, 4, rgba);
}

}  // namespace

void ErrorColour(double error, std::uint8_t rgb[3]) {
  const double t = std::isnan(error) ? 1.0 : std::clamp((std::log10(std::max(error, 1e-12)) + 4.0) / 4.0, 0.0, 1.0);
  // Black, dark red, orange, yellow, white: at a glance, how far off and where.
  const double r = std::clamp(t * 2.0, 0.0, 1.0), g = std::clamp(t * 2.0 - 0.7, 0.0, 1.0),
               b = std::clamp(t * 3.0 - 2.0, 0.0, 1.0);
  rgb[0] = std::uint8_t(std::lround(r * 255.0));
  rgb[1] = std::uint8_t(std::lround(g * 255.0));
  rgb[2] = std::uint8_t(std::lround(b * 255.0));
}

std::unique_ptr<StackView> StackView::Load(const std::string& psdPath, std::string& error) {
  Result<PsdDocument> psd = ReadPsd(psdPath);
  if (!psd.ok()) {
    error = psd.message();
    return nullptr;
  }
  const std::uint64_t pixels = std::uint64_t(psd->width) * std::uint64_t(psd->height);
  if (pixels * sizeof(ColourValue) * (psd->layers.size() + 3) > kMostBytes || pixels == 0) {
    error = psdPath + ": too large to stack again in the page";
    return nullptr;
  }
  auto view = std::unique_ptr<StackView>(new StackView);
  view->psd_ = std::move(psd.value());
  view->final_ = Picture(view->psd_.merged, view->psd_.width, view->psd_.height);
  return view;
}

StackPictures StackView::Compose(const std::vector<bool>& visible) const {
  std::vector<StackLayer> stack;
  for (std::size_t i = 0; i < psd_.layers.size(); ++i) {
    const PsdLayer& l = psd_.layers[i];
    stack.push_back(StackLayer{l.name, l.blendKey, i < visible.size() && visible[i], float(l.opacity) / 255.0f,
                               l.pixels.data()});
  }
  const std::size_t count = std::size_t(psd_.width) * std::size_t(psd_.height);
  const std::vector<ColourValue> rebuilt = RebuildStack(stack, count, psd_.depth);
  StackPictures pictures;
  pictures.error = MeasureError(rebuilt, psd_.merged.data(), count);
  pictures.composite = Picture(rebuilt, psd_.width, psd_.height);
  std::vector<std::uint8_t> rgb(count * 3);
  for (std::size_t p = 0; p < count; ++p) {
    const ColourValue& a = rebuilt[p];
    const ColourValue& b = psd_.merged[p];
    const double e = std::max({std::fabs(double(a.red) - b.red), std::fabs(double(a.green) - b.green),
                               std::fabs(double(a.blue) - b.blue)});
    ErrorColour(e, &rgb[p * 3]);
  }
  pictures.difference = EncodePng(psd_.width, psd_.height, 3, rgb);
  return pictures;
}

}  // namespace zurender
