#include "zurender/pipeline/frame.h"

#include <new>

#include "zurender/base/atomic_file.h"
#include "zurender/base/four_cc.h"

namespace zurender {

std::uint64_t Frame::BytesNeeded(int width, int height, std::size_t layerCount) {
  const std::uint64_t pixels = std::uint64_t(width) * std::uint64_t(height);
  return pixels * ((layerCount + 1) * sizeof(ColourValue) + sizeof(std::int32_t));
}

std::unique_ptr<Frame> Frame::Allocate(int width, int height, std::vector<DeclaredLayer> layers, std::string& error) {
  std::unique_ptr<Frame> frame(new (std::nothrow) Frame);
  const std::uint64_t needed = BytesNeeded(width, height, layers.size());
  auto tooLarge = [&] {
    error = "a " + std::to_string(width) + "x" + std::to_string(height) + " frame with " +
            std::to_string(layers.size()) + " layers needs " + std::to_string(needed >> 20) +
            " MiB, more than this 32-bit program can hold; render it smaller or with fewer layers";
    return nullptr;
  };
  if (frame == nullptr || needed > std::uint64_t(SIZE_MAX)) return tooLarge();
  frame->width_ = width;
  frame->height_ = height;
  const std::size_t count = frame->pixelCount();
  frame->objectIds_.reset(new (std::nothrow) std::int32_t[count]);
  frame->final_.reset(new (std::nothrow) ColourValue[count]());
  if (frame->objectIds_ == nullptr || frame->final_ == nullptr) return tooLarge();
  for (std::size_t i = 0; i < layers.size(); ++i) {
    FrameLayer layer;
    layer.info = std::move(layers[i]);
    // Zero where nothing is written: transparent black.
    layer.pixels.reset(new (std::nothrow) ColourValue[count]());
    if (layer.pixels == nullptr) return tooLarge();
    const DeclaredLayer& info = layer.info;
    if (IsEdgeMask(info)) {
      // filled once every pixel's object is known
    } else if (IsMask(info)) {
      frame->maskFills_.push_back(MaskFill{i, info.classParam});
    } else if (info.component >= 1 && info.component < kComponentSlots) {
      frame->componentFills_.push_back(ComponentFill{i, info.component});
    }
    frame->layers_.push_back(std::move(layer));
  }
  return frame;
}

void Frame::FillFromShade(std::size_t pixel, const PixelShade& shade) {
  for (const ComponentFill& fill : componentFills_) layers_[fill.layer].pixels[pixel] = shade.component[fill.component];
  for (const MaskFill& fill : maskFills_) {
    const float m = shade.maskNumber != 0 && shade.maskNumber == fill.number ? 1.0f : 0.0f;
    layers_[fill.layer].pixels[pixel] = ColourValue{1.0f, m, m, m};
  }
  final_[pixel] = shade.component[kComponentFinalRender];
  objectIds_[pixel] = shade.objectId;
}

TileWrites::TileWrites(std::size_t layerCount, std::size_t tilePixels)
    : layerCount_(layerCount),
      tilePixels_(tilePixels),
      values_(layerCount * tilePixels),
      written_(layerCount * tilePixels, 0),
      counts_(layerCount, 0) {}

void TileWrites::CopyInto(Frame& frame, const std::size_t* pixels, std::size_t count) {
  for (std::size_t layer = 0; layer < layerCount_; ++layer) {
    FrameLayer& target = frame.layers_[layer];
    std::uint8_t* written = &written_[layer * tilePixels_];
    const ColourValue* values = &values_[layer * tilePixels_];
    for (std::size_t i = 0; i < count; ++i) {
      if (!written[i]) continue;
      target.pixels[pixels[i]] = values[i];
      ++counts_[layer];
      if (!frame.keptValues_.empty()) {
        frame.keptValues_[layer][pixels[i]] = values[i];
        frame.keptWritten_[layer][pixels[i]] = 1;
      }
      written[i] = 0;
    }
  }
}

void TileWrites::AddCountsTo(Frame& frame) const {
  for (std::size_t layer = 0; layer < layerCount_; ++layer) frame.layers_[layer].pluginWrites += counts_[layer];
}

void Frame::FillEdgeMasks() {
  for (FrameLayer& layer : layers_) {
    if (!IsEdgeMask(layer.info)) continue;
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        const std::size_t p = std::size_t(y) * std::size_t(width_) + std::size_t(x);
        const std::int32_t id = objectIds_[p];
        const bool edge = (x > 0 && objectIds_[p - 1] != id) || (x + 1 < width_ && objectIds_[p + 1] != id) ||
                          (y > 0 && objectIds_[p - std::size_t(width_)] != id) ||
                          (y + 1 < height_ && objectIds_[p + std::size_t(width_)] != id);
        const float e = edge ? 1.0f : 0.0f;
        layer.pixels[p] = ColourValue{1.0f, e, e, e};
      }
    }
  }
}

void Frame::KeepPluginWrites() {
  keptValues_.assign(layers_.size(), std::vector<ColourValue>(pixelCount(), ColourValue{0.0f, 0.0f, 0.0f, 0.0f}));
  keptWritten_.assign(layers_.size(), std::vector<std::uint8_t>(pixelCount(), 0));
}

bool Frame::WritePluginWrites(const std::string& path, std::string& error) const {
  AtomicFile file;
  const std::uint32_t header[4] = {LittleEndianFourCC("ZUPW"), std::uint32_t(width_),
                                   std::uint32_t(height_), std::uint32_t(layers_.size())};
  Status status = file.Open(path);
  if (status.ok()) status = file.Write(header, sizeof header);
  for (const FrameLayer& layer : layers_) {
    const std::uint8_t length = std::uint8_t(layer.info.name.size());
    if (status.ok()) status = file.Write(&length, 1);
    if (status.ok()) status = file.Write(layer.info.name.data(), length);
  }
  for (std::size_t layer = 0; layer < keptValues_.size() && status.ok(); ++layer)
    for (std::size_t p = 0; p < pixelCount() && status.ok(); ++p) {
      status = file.Write(&keptWritten_[layer][p], 1);
      if (status.ok()) status = file.Write(&keptValues_[layer][p], sizeof(ColourValue));
    }
  if (status.ok()) status = file.Commit();
  error = status.message();
  return status.ok();
}

}  // namespace zurender
