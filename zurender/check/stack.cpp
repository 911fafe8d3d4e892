#include "zurender/check/stack.h"

#include <algorithm>
#include <cmath>

#include "zurender/check/blend.h"

namespace zurender {
namespace {

float Quantise(float v, float levels) {
  if (!(v > 0.0f)) return 0.0f;  // NaN too
  if (v >= 1.0f) return 1.0f;
  return std::round(v * levels) / levels;
}

}  // namespace

std::vector<ColourValue> RebuildStack(const std::vector<StackLayer>& topFirst, std::size_t pixelCount, int bits) {
  const bool integer = bits == 8 || bits == 16;
  const float levels = bits == 8 ? 255.0f : 65535.0f;
  std::vector<ColourValue> out(pixelCount, ColourValue{0.0f, 0.0f, 0.0f, 0.0f});
  for (auto layer = topFirst.rbegin(); layer != topFirst.rend(); ++layer) {
    if (!layer->visible || layer->pixels == nullptr) continue;
    for (std::size_t p = 0; p < pixelCount; ++p) {
      const ColourValue& s = layer->pixels[p];
      const Rgba source{Rgb{s.red, s.green, s.blue}, s.alpha * layer->opacity};
      const Rgba backdrop{Rgb{out[p].red, out[p].green, out[p].blue}, out[p].alpha};
      Rgba mixed = Composite(layer->blendKey, backdrop, source, integer);
      if (integer) {
        mixed.colour = Rgb{Quantise(mixed.colour.r, levels), Quantise(mixed.colour.g, levels),
                           Quantise(mixed.colour.b, levels)};
        mixed.alpha = Quantise(mixed.alpha, levels);
      }
      out[p] = ColourValue{mixed.alpha, mixed.colour.r, mixed.colour.g, mixed.colour.b};
    }
  }
  return out;
}

ErrorStats MeasureError(const std::vector<ColourValue>& image, const ColourValue* reference, std::size_t pixelCount) {
  ErrorStats stats;
  if (pixelCount == 0) return stats;
  std::vector<float> errors;
  errors.reserve(pixelCount * 3);
  double sum = 0;
  for (std::size_t p = 0; p < pixelCount; ++p) {
    const float e[3] = {std::fabs(image[p].red - reference[p].red), std::fabs(image[p].green - reference[p].green),
                        std::fabs(image[p].blue - reference[p].blue)};
    const float r[3] = {reference[p].red, reference[p].green, reference[p].blue};
    for (int c = 0; c < 3; ++c) {
      const float error = std::isnan(e[c]) ? INFINITY : e[c];
      if (error > stats.max) {
        stats.max = error;
        stats.worstPixel = p;
      }
      const double scale = std::isfinite(r[c]) ? std::max(1.0, std::fabs(double(r[c]))) : 1.0;
      if (double(error) / scale > stats.maxRelative) {
        stats.maxRelative = double(error) / scale;
        stats.worstRelativePixel = p;
      }
      sum += error;
      errors.push_back(error);
    }
  }
  stats.mean = sum / double(errors.size());
  const std::size_t rank = std::min(errors.size() - 1, std::size_t(std::ceil(0.99 * double(errors.size()))) - 1);
  std::nth_element(errors.begin(), errors.begin() + std::ptrdiff_t(rank), errors.end());
  stats.p99 = errors[rank];
  return stats;
}

}  // namespace zurender
