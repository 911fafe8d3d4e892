// The render host's image buffers: one per declared layer, plus the object id of every pixel,
// and the host's own part of filling them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/colour_value.h"
#include "zurender/pipeline/declared_layer.h"
#include "zurender/trace/pixel_shade.h"

namespace zurender {

struct FrameLayer {
  DeclaredLayer info;
  std::unique_ptr<ColourValue[]> pixels;  // width x height, top row first
  std::uint64_t pluginWrites = 0;         // values the plug-in wrote into it
};

// The plug-in's writes for one tile, kept together while the plug-in runs and copied into the
// frame's layers afterwards: the calls, which run one at a time, touch a few kilobytes instead of
// a line of every layer.
class TileWrites {
 public:
  TileWrites(std::size_t layerCount, std::size_t tilePixels);
  // Takes the plug-in's value for the layer with this host id at a pixel of the tile; false for
  // an id the host never gave.
  bool Write(std::int32_t hostId, std::size_t tilePixel, const ColourValue& value) {
    if (hostId < 1 || std::size_t(hostId) > layerCount_) return false;
    const std::size_t at = (std::size_t(hostId) - 1) * tilePixels_ + tilePixel;
    values_[at] = value;
    written_[at] = 1;
    return true;
  }
  // Copies the writes into the frame: tile pixel i is frame pixel pixels[i]. Tiles do not
  // overlap, so workers copy theirs at the same time.
  void CopyInto(class Frame& frame, const std::size_t* pixels, std::size_t count);
  // Adds the writes counted over every copy to the frame's layers; one worker at a time.
  void AddCountsTo(class Frame& frame) const;

 private:
  std::size_t layerCount_;
  std::size_t tilePixels_;
  std::vector<ColourValue> values_;
  std::vector<std::uint8_t> written_;
  std::vector<std::uint64_t> counts_;  // per layer, over every tile this worker copied
};

class Frame {
 public:
  // Room for every layer, the final image and the object ids, all taken before any tracing, or an error that
  // says how much the frame needs. A 32-bit process has a few GiB at most.
  static std::unique_ptr<Frame> Allocate(int width, int height, std::vector<DeclaredLayer> layers,
                                         std::string& error);

  int width() const { return width_; }
  int height() const { return height_; }
  std::size_t pixelCount() const { return std::size_t(width_) * std::size_t(height_); }
  std::vector<FrameLayer>& layers() { return layers_; }
  const std::vector<FrameLayer>& layers() const { return layers_; }

  // The layers the host fills from a pixel's shading: component layers and object masks.
  void FillFromShade(std::size_t pixel, const PixelShade& shade);
  std::size_t layerCount() const { return layers_.size(); }
  // The rendered image, fog included: the reference every stack is checked against, and the
  // merged image of the layered files.
  const ColourValue* finalImage() const { return final_.get(); }
  // The edge mask: white where a pixel's object differs from a neighbour's. Needs every pixel's id.
  void FillEdgeMasks();

  // Keeps, apart from the layers, every value the plug-in writes, so that two builds of the
  // plug-in can be compared on what they wrote alone. Costs a copy of every layer.
  void KeepPluginWrites();
  // Writes what was kept:
  //   'ZUPW', width, height, layer count (32-bit little-endian words); per layer its name (a
  //   length byte and the bytes); then per layer, per pixel row by row, a byte that is 1 where
  //   the plug-in wrote and the value it wrote (alpha, red, green, blue floats; zeros elsewhere).
  bool WritePluginWrites(const std::string& path, std::string& error) const;

  // Host ids are 1 to the layer count, in declaration order.
  static std::int32_t HostIdOf(std::size_t index) { return std::int32_t(index) + 1; }

  // What a frame of this size with this many layers needs, in bytes.
  static std::uint64_t BytesNeeded(int width, int height, std::size_t layerCount);

 private:
  friend class TileWrites;
  Frame() = default;
  struct ComponentFill {
    std::size_t layer;
    std::int32_t component;
  };
  struct MaskFill {
    std::size_t layer;
    std::int32_t number;
  };
  int width_ = 0;
  int height_ = 0;
  std::vector<FrameLayer> layers_;
  std::unique_ptr<ColourValue[]> final_;
  std::vector<std::vector<ColourValue>> keptValues_;  // per layer, when KeepPluginWrites asked
  std::vector<std::vector<std::uint8_t>> keptWritten_;
  std::unique_ptr<std::int32_t[]> objectIds_;
  std::vector<ComponentFill> componentFills_;
  std::vector<MaskFill> maskFills_;
};

}  // namespace zurender
