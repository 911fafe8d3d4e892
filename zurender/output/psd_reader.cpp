#include "zurender/output/psd_reader.h"

#include <algorithm>
#include <memory>
#include <new>

#include "zurender/base/byte_order.h"
#include "zurender/base/byte_source.h"
#include "zurender/base/file_reading.h"
#include "zurender/base/text_encoding.h"
#include "zurender/output/packbits.h"
#include "zurender/output/psd_format.h"

namespace zurender {
namespace {

// A 32-bit process holds the decoded planes (16 bytes a pixel) for every layer at once.
constexpr std::uint64_t kMaxCanvasPixels = std::uint64_t(1) << 26;

struct ChannelInfo {
  std::int16_t id;
  std::uint32_t length;  // including the 2-byte compression field
};

struct Record {
  PsdLayer layer;
  std::vector<ChannelInfo> channels;
};

struct Format {
  int width;
  int height;
  int depth;
  std::uint16_t mode;
  int bytesPerSample() const { return depth / 8; }
};

float SampleValue(const std::uint8_t* p, int depth) {
  switch (depth) {
    case 8: return float(*p) / 255.0f;
    case 16: return float(GetU16(p)) / 65535.0f;
    default: return GetF32(p);
  }
}

// Which ColourValue members a channel fills; none for masks and extra channels.
std::vector<float ColourValue::*> Targets(int indexOrId, std::uint16_t mode) {
  if (indexOrId == psd::kTransparencyChannel) return {&ColourValue::alpha};
  if (mode == psd::kModeGrey) {
    if (indexOrId == 0) return {&ColourValue::red, &ColourValue::green, &ColourValue::blue};
    return {};
  }
  switch (indexOrId) {
    case 0: return {&ColourValue::red};
    case 1: return {&ColourValue::green};
    case 2: return {&ColourValue::blue};
    default: return {};
  }
}

class Reader {
 public:
  Reader(ByteSource& source, std::uint64_t decodedLimit)
      : source_(source), file_(source, 0, source.size()), decodedLimit_(decodedLimit) {}

  Status Read(PsdDocument& doc) {
    if (!Header(doc)) return Error();
    file_.Skip(file_.U32());  // colour mode data: nothing for RGB or greyscale
    Resources(file_.Take(file_.U32()), doc);
    if (!file_.ok()) return Error();
    LayerSection(file_.Take(file_.U32()), doc);
    if (!file_.ok() || !error_.empty()) return Error();
    MergedImage(doc);
    if (!file_.ok() || !error_.empty()) return Error();
    return Status();
  }

 private:
  Status Error() const { return Status::Error(!error_.empty() ? error_ : file_.error()); }
  bool Fail(const std::string& why) {
    if (error_.empty()) error_ = why;
    return false;
  }
  bool Check(const Cursor& cursor) { return cursor.ok() || Fail(cursor.error()); }

  // Reserves decoded memory against the budget; false (and an error) when it would pass it.
  bool Budget(std::uint64_t bytes) {
    decoded_ += bytes;
    return decoded_ <= decodedLimit_ ||
           Fail("its layers need more memory than " + ByteCountText(decodedLimit_) + ", which is all it may take");
  }

  bool Header(PsdDocument& doc) {
    if (file_.U32() != psd::kSignature) return file_.ok() ? Fail("not a layered image file (no 8BPS signature)") : false;
    const std::uint16_t version = file_.U16();
    if (version == 2) return Fail("the large document format (version 2) is not supported");
    if (version != 1) return file_.ok() ? Fail("unknown version " + std::to_string(version)) : false;
    file_.Skip(6);
    const int channels = file_.U16();
    const std::uint32_t height = file_.U32();
    const std::uint32_t width = file_.U32();
    const int depth = file_.U16();
    const std::uint16_t mode = file_.U16();
    if (!Check(file_)) return false;
    if (channels < 1 || channels > psd::kMaxChannels) return Fail("bad channel count " + std::to_string(channels));
    if (width < 1 || height < 1 || width > std::uint32_t(kPsdMaxSide) || height > std::uint32_t(kPsdMaxSide)) {
      return Fail("bad size " + std::to_string(width) + "x" + std::to_string(height));
    }
    if (depth != 8 && depth != 16 && depth != 32) return Fail("depth " + std::to_string(depth) + " is not supported");
    if (mode != psd::kModeRgb && mode != psd::kModeGrey) {
      return Fail("colour mode " + std::to_string(mode) + " is not supported (RGB and greyscale are)");
    }
    const int colourChannels = mode == psd::kModeRgb ? 3 : 1;
    if (channels < colourChannels) return Fail("too few channels for the colour mode");
    if (std::uint64_t(width) * height > kMaxCanvasPixels) return Fail("the image is too large to hold in memory");
    // A file too short to hold even the most compressed merged image gets no memory for one:
    // PackBits stores at most 128 bytes in 2.
    const std::uint64_t rowBytes = std::uint64_t(width) * std::uint64_t(depth / 8);
    const std::uint64_t least = std::uint64_t(channels) * height * (2 + 2 * ((rowBytes + 127) / 128));
    if (source_.size() < least) return Fail("the file is too short for its image size");
    format_ = Format{int(width), int(height), depth, mode};
    doc.width = int(width);
    doc.height = int(height);
    doc.depth = depth;
    doc.channels = channels;
    return true;
  }

  void Resources(Cursor section, PsdDocument& doc) {
    while (section.ok() && section.left() >= 12) {
      if (section.U32() != psd::kBlockSignature) return;  // not a resource block: the rest is not ours to read
      const std::uint16_t id = section.U16();
      const std::uint8_t nameLength = section.U8();
      section.Skip(nameLength + ((nameLength + 1) % 2));  // name padded to even with its length byte
      const std::uint32_t size = section.U32();
      Cursor data = section.Take(size);
      section.Skip(std::min<std::uint64_t>(size % 2, section.left()));
      if (id == psd::kIccResource && data.ok()) data.Bytes(size, doc.iccProfile);
    }
  }

  void LayerSection(Cursor section, PsdDocument& doc) {
    if (!Check(section)) return;
    if (section.left() == 0) return;
    std::vector<Record> records;
    const std::uint32_t infoLength = section.U32();
    if (infoLength > 0) LayerInfo(section.Take(infoLength), records);
    if (!error_.empty() || !Check(section)) return;
    if (section.left() >= 4) section.Skip(section.U32());  // global layer mask info
    // Photoshop keeps 16- and 32-bit layers in a tagged block here, with the layer info empty.
    while (records.empty() && section.ok() && section.left() >= 12) {
      const std::uint32_t signature = section.U32();
      if (signature != psd::kBlockSignature && signature != psd::kLargeBlockSignature) break;
      const std::uint32_t key = section.U32();
      const std::uint32_t length = section.U32();
      Cursor block = section.Take(length);
      if (key == psd::kLayers16Key || key == psd::kLayers32Key) LayerInfo(block, records);
      section.Skip(std::min<std::uint64_t>((4 - length % 4) % 4, section.left()));
    }
    if (!error_.empty()) return;
    doc.layers.reserve(records.size());
    for (auto it = records.rbegin(); it != records.rend(); ++it) doc.layers.push_back(std::move(it->layer));
  }

  // The layer count, the records and the channel data.
  void LayerInfo(Cursor info, std::vector<Record>& records) {
    const std::int16_t count = info.I16();
    mergedAlpha_ = count < 0;
    const int layers = count < 0 ? -int(count) : int(count);
    for (int i = 0; i < layers && info.ok() && error_.empty(); ++i) records.push_back(LayerRecord(info));
    if (!Check(info)) return;
    for (Record& record : records) {
      if (!error_.empty()) return;
      if (!Budget(std::uint64_t(format_.width) * format_.height * sizeof(ColourValue))) return;
      LayerPixels(info, record);
    }
    Check(info);
  }

  Record LayerRecord(Cursor& info) {
    Record record;
    PsdLayer& layer = record.layer;
    layer.rect.top = info.I32();
    layer.rect.left = info.I32();
    layer.rect.bottom = info.I32();
    layer.rect.right = info.I32();
    const int channels = info.U16();
    if (channels > psd::kMaxChannels) {
      Fail("a layer has " + std::to_string(channels) + " channels");
      return record;
    }
    for (int c = 0; c < channels; ++c) {
      const std::int16_t id = info.I16();
      record.channels.push_back({id, info.U32()});
    }
    if (info.U32() != psd::kBlockSignature && info.ok()) {
      Fail("a layer record has no 8BIM blend signature");
      return record;
    }
    layer.blendKey = info.U32();
    layer.opacity = info.U8();
    layer.clipped = info.U8() != 0;
    layer.visible = (info.U8() & psd::kFlagHidden) == 0;
    info.Skip(1);
    Cursor extra = info.Take(info.U32());
    extra.Skip(extra.U32());  // layer mask data
    extra.Skip(extra.U32());  // blending ranges
    const std::uint8_t nameLength = extra.U8();
    std::vector<std::uint8_t> name;
    extra.Bytes(nameLength, name);
    layer.name.assign(name.begin(), name.end());
    // The Pascal name is padded to 4 with its length byte; some writers pad less.
    extra.Skip(std::min<std::uint64_t>((4 - (1 + nameLength) % 4) % 4, extra.left()));
    while (extra.ok() && extra.left() >= 12) {
      const std::uint32_t signature = extra.U32();
      if (signature != psd::kBlockSignature && signature != psd::kLargeBlockSignature) break;
      const std::uint32_t key = extra.U32();
      Cursor block = extra.Take(extra.U32());
      if (key == psd::kUnicodeNameKey && block.ok()) {
        const std::uint32_t units = block.U32();
        std::u16string unicode;
        for (std::uint32_t u = 0; u < units && block.left() >= 2; ++u) unicode += static_cast<char16_t>(block.U16());
        if (block.ok()) layer.name = Utf16ToCp1252(unicode);
      }
    }
    return record;
  }

  void LayerPixels(Cursor& info, Record& record) {
    PsdLayer& layer = record.layer;
    const std::int64_t layerWidth = std::int64_t(layer.rect.right) - layer.rect.left;
    const std::int64_t layerHeight = std::int64_t(layer.rect.bottom) - layer.rect.top;
    if (layerWidth < 0 || layerHeight < 0 || layerWidth > kPsdMaxSide || layerHeight > kPsdMaxSide) {
      Fail("a layer's rectangle is inverted or larger than the format allows");
      return;
    }
    const std::size_t canvas = std::size_t(format_.width) * std::size_t(format_.height);
    const bool hasAlpha = std::any_of(record.channels.begin(), record.channels.end(),
                                       [](const ChannelInfo& c) { return c.id == psd::kTransparencyChannel; });
    layer.pixels.assign(canvas, ColourValue{0.0f, 0.0f, 0.0f, 0.0f});
    Placement place{layer.rect.left, layer.rect.top, int(layerWidth), int(layerHeight)};
    if (!hasAlpha) {
      ForEachCanvasPixel(place, [&](std::size_t at, int) { layer.pixels[at].alpha = 1.0f; });
    }
    for (const ChannelInfo& channel : record.channels) {
      Cursor data = info.Take(channel.length);
      if (!Check(data)) return;
      const auto targets = Targets(channel.id, format_.mode);
      if (targets.empty() || channel.length < 2) continue;
      if (!DecodePlane(data, place, targets, layer.pixels, /*rows=*/nullptr)) return;
    }
  }

  // Where a decoded plane goes on the canvas.
  struct Placement {
    std::int32_t left;
    std::int32_t top;
    int width;
    int height;
  };

  template <class F>
  void ForEachCanvasPixel(const Placement& place, F f) {
    for (int y = 0; y < place.height; ++y) {
      const std::int64_t cy = std::int64_t(place.top) + y;
      if (cy < 0 || cy >= format_.height) continue;
      for (int x = 0; x < place.width; ++x) {
        const std::int64_t cx = std::int64_t(place.left) + x;
        if (cx >= 0 && cx < format_.width) f(std::size_t(cy) * format_.width + std::size_t(cx), x);
      }
    }
  }

  // One row of samples into the canvas plane.
  void PlaceRow(const std::uint8_t* row, const Placement& place, int y, const std::vector<float ColourValue::*>& targets,
                std::vector<ColourValue>& plane) {
    const std::int64_t cy = std::int64_t(place.top) + y;
    if (cy < 0 || cy >= format_.height) return;
    const int bytes = format_.bytesPerSample();
    const std::int64_t x0 = std::max<std::int64_t>(0, -std::int64_t(place.left));
    const std::int64_t x1 = std::min<std::int64_t>(place.width, std::int64_t(format_.width) - place.left);
    for (std::int64_t x = x0; x < x1; ++x) {
      const float v = SampleValue(row + x * bytes, format_.depth);
      ColourValue& pixel = plane[std::size_t(cy) * format_.width + std::size_t(place.left + x)];
      for (const auto member : targets) pixel.*member = v;
    }
  }

  // A layer channel: its own compression field, then raw rows or row counts and packed rows.
  // With rleCounts given, the data is one plane of the merged image whose counts came first.
  bool DecodePlane(Cursor& data, const Placement& place, const std::vector<float ColourValue::*>& targets,
                   std::vector<ColourValue>& plane, const std::uint8_t* rleCounts) {
    const std::size_t rowBytes = std::size_t(place.width) * std::size_t(format_.bytesPerSample());
    std::uint16_t compression = psd::kRle;
    if (rleCounts == nullptr) compression = data.U16();
    std::vector<std::uint8_t> row(rowBytes);
    std::vector<std::uint8_t> packed;
    if (compression == psd::kRaw) {
      for (int y = 0; y < place.height; ++y) {
        packed.clear();
        data.Bytes(rowBytes, packed);
        if (!Check(data)) return false;
        PlaceRow(packed.data(), place, y, targets, plane);
      }
      return true;
    }
    if (compression != psd::kRle) return Fail("channel compression " + std::to_string(compression) + " is not supported");
    std::vector<std::uint8_t> counts;
    if (rleCounts == nullptr) {
      data.Bytes(std::uint64_t(place.height) * 2, counts);
      if (!Check(data)) return false;
      rleCounts = counts.data();
    }
    for (int y = 0; y < place.height; ++y) {
      packed.clear();
      data.Bytes(GetU16(rleCounts + 2 * y), packed);
      if (!Check(data)) return false;
      if (!UnpackBits(packed, row)) return Fail("a packed row does not match the layer's width");
      PlaceRow(row.data(), place, y, targets, plane);
    }
    return true;
  }

  // The image data section: the rest of the file.
  void MergedImage(PsdDocument& doc) {
    Cursor data = file_.Take(file_.left());
    const std::uint16_t compression = data.U16();
    if (!Check(data)) return;
    if (compression != psd::kRaw && compression != psd::kRle) {
      Fail("merged image compression " + std::to_string(compression) + " is not supported");
      return;
    }
    if (!Budget(std::uint64_t(format_.width) * format_.height * sizeof(ColourValue))) return;
    doc.merged.assign(std::size_t(format_.width) * format_.height, ColourValue{1.0f, 0.0f, 0.0f, 0.0f});
    const Placement place{0, 0, format_.width, format_.height};
    const int colourChannels = format_.mode == psd::kModeRgb ? 3 : 1;
    std::vector<std::uint8_t> counts;
    if (compression == psd::kRle) {
      data.Bytes(std::uint64_t(doc.channels) * format_.height * 2, counts);
      if (!Check(data)) return;
    }
    for (int c = 0; c < doc.channels; ++c) {
      const int id = c < colourChannels ? c : (c == colourChannels && mergedAlpha_ ? psd::kTransparencyChannel : 99);
      const auto targets = Targets(id, format_.mode);
      const std::uint8_t* planeCounts = compression == psd::kRle ? counts.data() + std::size_t(c) * format_.height * 2 : nullptr;
      if (targets.empty()) return;  // extra channels come last; nothing after them is read
      if (compression == psd::kRaw) {
        // A raw plane has no compression field of its own: read it as rows.
        const std::size_t rowBytes = std::size_t(format_.width) * std::size_t(format_.bytesPerSample());
        std::vector<std::uint8_t> row;
        for (int y = 0; y < format_.height; ++y) {
          row.clear();
          data.Bytes(rowBytes, row);
          if (!Check(data)) return;
          PlaceRow(row.data(), place, y, targets, doc.merged);
        }
      } else if (!DecodePlane(data, place, targets, doc.merged, planeCounts)) {
        return;
      }
    }
  }

  ByteSource& source_;
  Cursor file_;
  Format format_{};
  bool mergedAlpha_ = false;
  std::uint64_t decodedLimit_;
  std::uint64_t decoded_ = 0;
  std::string error_;
};

Result<PsdDocument> ReadFrom(ByteSource& source, const std::string& what, std::uint64_t decodedLimit) {
  try {
    PsdDocument doc;
    Reader reader(source, decodedLimit);
    if (Status status = reader.Read(doc); !status.ok()) return Status::Error("cannot read " + what + ": " + status.message());
    return doc;
  } catch (const std::bad_alloc&) {
    return Status::Error("cannot read " + what + ": out of memory");
  }
}

}  // namespace

Result<PsdDocument> ReadPsd(const std::string& path, const ImageReadLimits& limits) {
  auto source = ByteSource::OpenFile(path, limits.fileBytes);
  if (!source.ok()) return source.status();
  return ReadFrom(*source.value(), path, limits.decodedBytes);
}

Result<PsdDocument> ReadPsd(std::span<const std::uint8_t> bytes, const ImageReadLimits& limits) {
  return ReadFrom(*ByteSource::FromMemory(bytes), "the layered image data", limits.decodedBytes);
}

}  // namespace zurender
