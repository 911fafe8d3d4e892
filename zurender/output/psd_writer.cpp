#include "zurender/output/psd_writer.h"

#include <array>
#include <cstddef>
#include <new>
#include <vector>

#include "zurender/base/atomic_file.h"
#include "zurender/base/byte_order.h"
#include "zurender/base/text_encoding.h"
#include "zurender/output/packbits.h"
#include "zurender/output/psd_format.h"
#include "zurender/output/psd_samples.h"

namespace zurender {
namespace {

// A layer's channels in the order Photoshop writes them; readers go by the id.
struct LayerChannel {
  std::int16_t id;
  ChannelSource source;
};
constexpr std::array<LayerChannel, 4> kLayerChannels{{
    {psd::kTransparencyChannel, {&ColourValue::alpha, SampleKind::kAlpha}},
    {0, {&ColourValue::red, SampleKind::kColour}},
    {1, {&ColourValue::green, SampleKind::kColour}},
    {2, {&ColourValue::blue, SampleKind::kColour}},
}};
constexpr std::array<ChannelSource, 3> kMergedChannels{{
    {&ColourValue::red, SampleKind::kColour},
    {&ColourValue::green, SampleKind::kColour},
    {&ColourValue::blue, SampleKind::kColour},
}};

// Small parts of the file (header, records) are put together in memory first.
class Bytes {
 public:
  void U8(std::uint8_t v) { data_.push_back(v); }
  void U16(std::uint16_t v) { Put(v, 2); }
  void U32(std::uint32_t v) { Put(v, 4); }
  void Raw(const void* p, std::size_t n) {
    const auto* b = static_cast<const std::uint8_t*>(p);
    data_.insert(data_.end(), b, b + n);
  }
  void PadTo(std::size_t multiple, std::size_t from = 0) {
    while ((data_.size() - from) % multiple != 0) data_.push_back(0);
  }
  void PatchU32(std::size_t at, std::uint32_t v) { PutU32(data_.data() + at, v); }
  std::size_t size() const { return data_.size(); }
  const std::vector<std::uint8_t>& data() const { return data_; }

 private:
  void Put(std::uint32_t v, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) data_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  std::vector<std::uint8_t> data_;
};

void ImageResource(Bytes& out, std::uint16_t id, std::span<const std::uint8_t> data) {
  out.U32(psd::kBlockSignature);
  out.U16(id);
  out.U16(0);  // empty Pascal name, padded to even
  out.U32(static_cast<std::uint32_t>(data.size()));
  out.Raw(data.data(), data.size());
  out.PadTo(2);
}

Bytes ImageResources(std::span<const std::uint8_t> icc) {
  Bytes out;
  out.U32(0);  // section length, set below
  // 72 pixels per inch both ways, shown in inches: 16.16 fixed point, unit, display unit.
  Bytes resolution;
  for (int axis = 0; axis < 2; ++axis) {
    resolution.U32(72u << 16);
    resolution.U16(1);
    resolution.U16(1);
  }
  ImageResource(out, psd::kResolutionResource, resolution.data());
  if (!icc.empty()) ImageResource(out, psd::kIccResource, icc);
  out.PatchU32(0, static_cast<std::uint32_t>(out.size() - 4));
  return out;
}

// One layer record; channelLengthAt receives where each channel's length field sits in out.
void LayerRecord(Bytes& out, const PsdImage& image, const LayerView& layer, std::size_t* channelLengthAt) {
  out.U32(0);
  out.U32(0);
  out.U32(static_cast<std::uint32_t>(image.height));
  out.U32(static_cast<std::uint32_t>(image.width));
  out.U16(kLayerChannels.size());
  for (std::size_t c = 0; c < kLayerChannels.size(); ++c) {
    out.U16(static_cast<std::uint16_t>(kLayerChannels[c].id));
    channelLengthAt[c] = out.size();
    out.U32(0);
  }
  out.U32(psd::kBlockSignature);
  out.U32(layer.blendKey);
  out.U8(255);  // opacity
  out.U8(0);    // base, not clipped
  out.U8(layer.visible ? 0 : psd::kFlagHidden);
  out.U8(0);
  const std::size_t extraAt = out.size();
  out.U32(0);  // extra data length, set below
  out.U32(0);  // no layer mask
  out.U32(0);  // no blending ranges
  const std::string_view name = layer.name.substr(0, kPsdMaxNameBytes);
  const std::size_t pascalAt = out.size();
  out.U8(static_cast<std::uint8_t>(name.size()));
  out.Raw(name.data(), name.size());
  out.PadTo(4, pascalAt);
  const std::u16string unicode = Cp1252ToUtf16(name);
  out.U32(psd::kBlockSignature);
  out.U32(psd::kUnicodeNameKey);
  const std::size_t luniAt = out.size();
  out.U32(0);
  out.U32(static_cast<std::uint32_t>(unicode.size()));
  for (const char16_t unit : unicode) out.U16(unit);
  out.PadTo(4, luniAt + 4);
  out.PatchU32(luniAt, static_cast<std::uint32_t>(out.size() - luniAt - 4));
  out.PatchU32(extraAt, static_cast<std::uint32_t>(out.size() - extraAt - 4));
}

// Encodes one channel of an image and writes it with its compression field.
class ChannelWriter {
 public:
  ChannelWriter(const PsdImage& image)
      : width_(static_cast<std::size_t>(image.width)),
        height_(static_cast<std::size_t>(image.height)),
        depth_(image.depth),
        row_(width_ * static_cast<std::size_t>(depth_ / 8)) {}

  // Writes compression, row counts and rows; returns the bytes written (compression included).
  // The channel is held raw and packed at once, and whichever is smaller goes to the file.
  Status Write(AtomicFile& file, const ColourValue* pixels, ChannelSource source, std::uint64_t& written) {
    const std::size_t rowBytes = row_.size();
    // Sized once: the same sizes for every channel leave the buffers as they are.
    raw_.resize(rowBytes * height_);
    packed_.resize(PackBitsBound(rowBytes) * height_);
    counts_.resize(2 * height_);
    std::size_t packedSize = 0;
    bool rleFits = true;
    for (std::size_t y = 0; y < height_; ++y) {
      std::uint8_t* row = raw_.data() + y * rowBytes;
      EncodeSamples(pixels + y * width_, width_, source, depth_, row);
      const std::size_t count = PackBits(std::span<const std::uint8_t>(row, rowBytes), packed_.data() + packedSize);
      packedSize += count;
      rleFits = rleFits && count <= psd::kMaxRowCount;
      PutU16(counts_.data() + 2 * y, static_cast<std::uint16_t>(count));
    }
    std::uint8_t compression[2];
    if (rleFits && counts_.size() + packedSize < raw_.size()) {
      PutU16(compression, psd::kRle);
      (void)file.Write(compression, 2);
      (void)file.Write(counts_.data(), counts_.size());
      written = 2 + counts_.size() + packedSize;
      return file.Write(packed_.data(), packedSize);
    }
    PutU16(compression, psd::kRaw);
    (void)file.Write(compression, 2);
    written = 2 + raw_.size();
    return file.Write(raw_.data(), raw_.size());
  }

  // The merged image: one compression for all planes, and with RLE every row count of every
  // plane ahead of the rows; the counts are patched in once the rows are written.
  Status WriteMerged(AtomicFile& file, const ColourValue* pixels) {
    const bool rle = PackBitsBound(row_.size()) <= psd::kMaxRowCount;
    std::uint8_t compression[2];
    PutU16(compression, rle ? psd::kRle : psd::kRaw);
    (void)file.Write(compression, 2);
    if (!rle) {
      for (const ChannelSource& source : kMergedChannels) {
        for (std::size_t y = 0; y < height_; ++y) {
          EncodeSamples(pixels + y * width_, width_, source, depth_, row_.data());
          (void)file.Write(row_.data(), row_.size());
        }
      }
      return file.status();
    }
    const std::uint64_t countsAt = file.Tell();
    counts_.assign(kMergedChannels.size() * height_ * 2, 0);
    (void)file.Write(counts_.data(), counts_.size());
    std::size_t rowIndex = 0;
    for (const ChannelSource& source : kMergedChannels) {
      for (std::size_t y = 0; y < height_; ++y, ++rowIndex) {
        EncodeSamples(pixels + y * width_, width_, source, depth_, row_.data());
        packed_.resize(PackBitsBound(row_.size()));
        const std::size_t count = PackBits(row_, packed_.data());
        PutU16(counts_.data() + 2 * rowIndex, static_cast<std::uint16_t>(count));
        (void)file.Write(packed_.data(), count);
      }
    }
    const std::uint64_t end = file.Tell();
    (void)file.Seek(countsAt);
    (void)file.Write(counts_.data(), counts_.size());
    return file.Seek(end);
  }

 private:
  std::size_t width_;
  std::size_t height_;
  int depth_;
  std::vector<std::uint8_t> row_;
  std::vector<std::uint8_t> raw_;
  std::vector<std::uint8_t> packed_;
  std::vector<std::uint8_t> counts_;
};

Status Validate(const std::string& path, const PsdImage& image) {
  auto fail = [&](const std::string& why) { return Status::Error("cannot write " + path + ": " + why); };
  if (image.width < 1 || image.height < 1 || image.width > kPsdMaxSide || image.height > kPsdMaxSide) {
    return fail("the image size " + std::to_string(image.width) + "x" + std::to_string(image.height) +
                " is outside 1 to " + std::to_string(kPsdMaxSide));
  }
  if (image.depth != 8 && image.depth != 16 && image.depth != 32) {
    return fail("depth " + std::to_string(image.depth) + " is not 8, 16 or 32 bits");
  }
  if (image.layers.size() > std::size_t(kPsdMaxLayers)) return fail("more than 32767 layers");
  const std::size_t pixels = std::size_t(image.width) * std::size_t(image.height);
  if (image.merged.size() != pixels) return fail("the merged image is not width*height pixels");
  for (std::size_t i = 0; i < image.layers.size(); ++i) {
    if (image.layers[i].pixels.size() != pixels) {
      return fail("layer " + std::to_string(i + 1) + " is not width*height pixels");
    }
  }
  return Status();
}

// File header, and the colour mode data, which RGB leaves empty.
void WriteHeader(AtomicFile& file, const PsdImage& image) {
  Bytes head;
  head.U32(psd::kSignature);
  head.U16(psd::kVersion);
  for (int i = 0; i < 6; ++i) head.U8(0);
  head.U16(kMergedChannels.size());
  head.U32(static_cast<std::uint32_t>(image.height));
  head.U32(static_cast<std::uint32_t>(image.width));
  head.U16(static_cast<std::uint16_t>(image.depth));
  head.U16(psd::kModeRgb);
  head.U32(0);  // colour mode data length
  (void)file.Write(head.data().data(), head.size());
}

void WriteImageResources(AtomicFile& file, const PsdImage& image) {
  const Bytes resources = ImageResources(image.iccProfile);
  (void)file.Write(resources.data().data(), resources.size());
}

// Where in the layer section a layer's channel lengths go, and what they are; layers bottom-first.
using ChannelFields = std::vector<std::array<std::size_t, kLayerChannels.size()>>;
using ChannelLengths = std::vector<std::array<std::uint32_t, kLayerChannels.size()>>;

// The section's two lengths and every layer record, bottom-first: the input's first layer is the
// top. Returns where each channel length field sits, from the section's start.
ChannelFields WriteLayerRecords(AtomicFile& file, const PsdImage& image) {
  const std::size_t layerCount = image.layers.size();
  Bytes records;
  records.U32(0);  // layer and mask information length, patched in
  records.U32(0);  // layer info length, patched in
  ChannelFields fields(layerCount);
  if (layerCount > 0) {
    records.U16(static_cast<std::uint16_t>(layerCount));
    for (std::size_t i = 0; i < layerCount; ++i)
      LayerRecord(records, image, image.layers[layerCount - 1 - i], fields[i].data());
  }
  (void)file.Write(records.data().data(), records.size());
  return fields;
}

// Every layer's channel image data, in record order.
ChannelLengths WriteLayerChannels(AtomicFile& file, const PsdImage& image, ChannelWriter& channels) {
  const std::size_t layerCount = image.layers.size();
  ChannelLengths lengths(layerCount);
  for (std::size_t i = 0; i < layerCount && file.status().ok(); ++i) {
    const LayerView& layer = image.layers[layerCount - 1 - i];
    for (std::size_t c = 0; c < kLayerChannels.size(); ++c) {
      std::uint64_t written = 0;
      (void)channels.Write(file, layer.pixels.data(), kLayerChannels[c].source, written);
      lengths[i][c] = static_cast<std::uint32_t>(written);
    }
  }
  return lengths;
}

// Layer and mask information: the records, the channels, the padding and the empty global mask,
// then the lengths known only now patched into the records written first.
Status WriteLayerSection(AtomicFile& file, const PsdImage& image, ChannelWriter& channels) {
  const std::uint64_t sectionAt = file.Tell();
  const ChannelFields fields = WriteLayerRecords(file, image);
  const ChannelLengths lengths = WriteLayerChannels(file, image, channels);
  if (!file.status().ok()) return file.status();
  // The layer info is padded to 4 bytes; an empty one stays length 0.
  const std::uint64_t layerInfoAt = sectionAt + 4;
  std::uint64_t layerInfoLength = image.layers.empty() ? 0 : file.Tell() - layerInfoAt - 4;
  const std::uint8_t zeros[4] = {0, 0, 0, 0};
  const std::size_t pad = static_cast<std::size_t>((4 - layerInfoLength % 4) % 4);
  (void)file.Write(zeros, pad);
  layerInfoLength += pad;
  (void)file.Write(zeros, 4);  // no global layer mask
  const std::uint64_t sectionEnd = file.Tell();
  const std::uint64_t sectionLength = sectionEnd - sectionAt - 4;
  if (sectionLength > psd::kMaxSection) return file.Fail("the layers pass the format's 4 GiB limit");

  std::uint8_t field[4];
  PutU32(field, static_cast<std::uint32_t>(sectionLength));
  (void)file.Seek(sectionAt);
  (void)file.Write(field, 4);
  PutU32(field, static_cast<std::uint32_t>(layerInfoLength));
  (void)file.Write(field, 4);
  for (std::size_t i = 0; i < lengths.size(); ++i) {
    for (std::size_t c = 0; c < kLayerChannels.size(); ++c) {
      PutU32(field, lengths[i][c]);
      (void)file.Seek(sectionAt + fields[i][c]);
      (void)file.Write(field, 4);
    }
  }
  return file.Seek(sectionEnd);
}

// The sections in the format's order; the merged image last.
Status WriteFile(AtomicFile& file, const PsdImage& image) {
  WriteHeader(file, image);
  WriteImageResources(file, image);
  ChannelWriter channels(image);
  if (Status status = WriteLayerSection(file, image, channels); !status.ok()) return status;
  (void)channels.WriteMerged(file, image.merged.data());
  return file.status();
}

}  // namespace

Status WritePsd(const std::string& path, const PsdImage& image) {
  if (Status status = Validate(path, image); !status.ok()) return status;
  AtomicFile file;
  try {
    if (Status status = file.Open(path); !status.ok()) return status;
    if (Status status = WriteFile(file, image); !status.ok()) return status;
    return file.Commit();
  } catch (const std::bad_alloc&) {
    return file.Fail("out of memory");
  }
}

}  // namespace zurender
