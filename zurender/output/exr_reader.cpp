#include "zurender/output/exr_reader.h"

#include <ImfChannelList.h>
#include <ImfFrameBuffer.h>
#include <Iex.h>
#include <ImfHeader.h>
#include <ImfIO.h>
#include <ImfInputFile.h>
#include <ImfStringVectorAttribute.h>

#include <map>
#include <memory>
#include <new>

#include "zurender/base/byte_order.h"
#include "zurender/base/byte_source.h"
#include "zurender/base/file_reading.h"
#include "zurender/base/four_cc.h"
#include "zurender/base/text_encoding.h"
#include "zurender/output/exr_file.h"

namespace zurender {
namespace {

// OpenEXR reads through a stream; this one reads a ByteSource, so that a file goes through the
// host's one way of opening files (zurender/base/file_reading.h) and bytes in memory read alike.
class SourceStream final : public Imf::IStream {
 public:
  SourceStream(ByteSource& source, const std::string& name) : Imf::IStream(name.c_str()), source_(source) {}
  bool read(char c[], int n) override {
    if (n < 0 || !source_.ReadAt(position_, c, std::size_t(n))) throw Iex::InputExc("the file ends early");
    position_ += std::uint64_t(n);
    return position_ < source_.size();
  }
  std::uint64_t tellg() override { return position_; }
  void seekg(std::uint64_t position) override { position_ = position; }

 private:
  ByteSource& source_;
  std::uint64_t position_ = 0;
};

// The headers are looked through before OpenEXR reads them: it takes an attribute's size, or the
// data window's, as it stands and allocates that much first, so that a file of a few bytes could
// make it take gigabytes. Every attribute must lie within the file and the data window within
// what the reader may decode; anything else is OpenEXR's to judge.
// The sizes of the attribute types OpenEXR reads by their type.
const std::map<std::string, std::uint32_t> kFixedSizes = {
    {"box2i", 16},  {"box2f", 16}, {"chromaticities", 32}, {"compression", 1}, {"double", 8}, {"envmap", 1},
    {"float", 4},   {"int", 4},    {"keycode", 28},        {"lineOrder", 1},   {"m33f", 36},  {"m33d", 72},
    {"m44f", 64},   {"m44d", 128}, {"rational", 8},        {"tiledesc", 9},    {"timecode", 8}, {"v2i", 8},
    {"v2f", 8},     {"v2d", 16},   {"v3i", 12},            {"v3f", 12},        {"v3d", 24},   {"deepImageState", 1}};

// A channel list is read up to its empty name: entries of a name and 16 bytes, then the end.
bool ChannelListFits(const std::vector<std::uint8_t>& value) {
  std::size_t i = 0;
  while (i < value.size() && value[i] != 0) {
    while (i < value.size() && value[i] != 0) ++i;
    i += 17;
  }
  return i + 1 == value.size();
}

// Walks a file's headers as OpenEXR will read them, keeping what the blocks of pixels need.
class HeaderCheck {
 public:
  HeaderCheck(ByteSource& source, std::uint64_t decodedLimit) : source_(source), decodedLimit_(decodedLimit) {}

  // "" when OpenEXR may read the headers, else why not.
  std::string Run() {
    std::uint8_t start[8];
    if (!source_.ReadAt(0, start, sizeof start)) return "the file ends early";
    if (GetU32Le(start) != 20000630u) return "not an EXR file (no magic number)";
    const bool multiPart = (GetU32Le(start + 4) & 0x1000) != 0;
    at_ = sizeof start;
    // One header, or in a file of many parts headers until an empty one; each ends with an empty name.
    for (bool first = true;; first = false) {
      for (bool empty = true;; empty = false) {
        std::string name;
        if (!Text(name)) return "its header ends early";
        if (name.empty()) {
          if (!multiPart) return "";
          if (empty && !first) return "";
          break;
        }
        if (std::string why = Attribute(name); !why.empty()) return why;
      }
      // OpenEXR keeps a few blocks of lines or tiles at once, and a compressor's room beside each.
      const std::uint64_t block = sampleBytes_ * (tileArea_ != 0 ? tileArea_ : blockWidth_ * blockLines_);
      if (block > decodedLimit_ / 8)
        return "its blocks of pixels need more than " + ByteCountText(decodedLimit_) + ", which is all it may take";
    }
  }

 private:
  // Larger attributes are only skipped: none of those looked at is this large.
  static constexpr std::uint32_t kLargestLookedAt = 1 << 20;

  bool Text(std::string& out) {
    out.clear();
    for (char c = 0; out.size() <= 255; out += c) {
      if (!source_.ReadAt(at_++, &c, 1)) return false;
      if (c == '\0') return true;
    }
    return false;
  }

  // The attribute of this name: its type, size and value, checked and learned from.
  std::string Attribute(const std::string& name) {
    std::string type;
    if (!Text(type)) return "its header ends early";
    std::uint8_t sizeBytes[4];
    if (!source_.ReadAt(at_, sizeBytes, 4)) return "its header ends early";
    at_ += 4;
    const std::uint32_t size = GetU32Le(sizeBytes);
    if (at_ > source_.size() || size > source_.size() - at_) return "an attribute of its header passes the end of the file";
    std::vector<std::uint8_t> value;
    if (size <= kLargestLookedAt) {
      value.resize(size);
      if (size != 0 && !source_.ReadAt(at_, value.data(), size)) return "its header ends early";
    }
    at_ += size;
    if (std::string why = Sized(name, type, size, value); !why.empty()) return why;
    return Learn(name, type, size, value);
  }

  // OpenEXR reads a value of a type it knows by the type, not by the size the file gives it: the
  // two must agree, or what it reads next is not what follows.
  static std::string Sized(const std::string& name, const std::string& type, std::uint32_t size,
                           const std::vector<std::uint8_t>& value) {
    if (const auto fixed = kFixedSizes.find(type); fixed != kFixedSizes.end() && size != fixed->second)
      return "its attribute \"" + name.substr(0, 32) + "\" is not of its type's size";
    if (type == "chlist" && !ChannelListFits(value)) return "its channel list does not end where its size says";
    if (type == "preview" && (value.size() < 8 || std::uint64_t(GetU32Le(&value[0])) * GetU32Le(&value[4]) * 4 + 8 != size))
      return "its preview image is not of its size";
    return "";
  }

  // What the attributes that size the blocks of pixels say.
  std::string Learn(const std::string& name, const std::string& type, std::uint32_t size,
                    const std::vector<std::uint8_t>& value) {
    if (name == "dataWindow" && type == "box2i" && size == 16) {
      const std::int64_t width = std::int64_t(std::int32_t(GetU32Le(&value[8]))) - std::int32_t(GetU32Le(&value[0])) + 1;
      const std::int64_t height = std::int64_t(std::int32_t(GetU32Le(&value[12]))) - std::int32_t(GetU32Le(&value[4])) + 1;
      if (width < 1 || height < 1) return "its data window is empty";
      if (std::uint64_t(width) * std::uint64_t(height) * sizeof(ColourValue) > decodedLimit_)
        return "its data window needs more than " + ByteCountText(decodedLimit_) + ", which is all it may take";
      blockWidth_ = std::uint64_t(width);
    } else if (name == "channels" && type == "chlist" && !value.empty()) {
      // name, pixel type, linear flag, 3 reserved bytes, x and y sampling; an empty name ends it.
      sampleBytes_ = 0;
      for (std::size_t i = 0; i < value.size() && value[i] != 0;) {
        while (i < value.size() && value[i] != 0) ++i;
        if (i + 17 > value.size()) break;
        sampleBytes_ += GetU32Le(&value[i + 1]) == 1 ? 2 : 4;  // half, else uint or float
        i += 17;
      }
    } else if (name == "compression" && type == "compression" && size == 1) {
      constexpr int kLinesPerBlock[] = {1, 1, 1, 16, 32, 16, 32, 32, 32, 256};
      blockLines_ = value[0] < std::size(kLinesPerBlock) ? std::uint64_t(kLinesPerBlock[value[0]]) : 256;
    } else if (name == "tiles" && type == "tiledesc" && size == 9) {
      tileArea_ = std::uint64_t(GetU32Le(&value[0])) * GetU32Le(&value[4]);
    }
    return "";
  }

  ByteSource& source_;
  const std::uint64_t decodedLimit_;
  std::uint64_t at_ = 0;
  std::uint64_t blockWidth_ = 0, blockLines_ = 256, sampleBytes_ = 0, tileArea_ = 0;
};

std::string CheckHeaders(ByteSource& source, std::uint64_t decodedLimit) { return HeaderCheck(source, decodedLimit).Run(); }

const std::vector<std::string>* StringVector(const Imf::Header& header, const char* name) {
  const auto* attribute = header.findTypedAttribute<Imf::StringVectorAttribute>(name);
  return attribute != nullptr ? &attribute->value() : nullptr;
}

// The layers as this host's attributes list them; an error when they disagree in length.
Result<std::vector<ExrLayer>> LayersFromAttributes(const Imf::Header& header) {
  const auto* prefixes = StringVector(header, kExrLayerChannels);
  const auto* names = StringVector(header, kExrLayerNames);
  const auto* keys = StringVector(header, kExrBlendKeys);
  const auto* visibility = StringVector(header, kExrLayerVisibility);
  std::vector<ExrLayer> layers;
  if (prefixes == nullptr) return layers;
  const std::size_t count = prefixes->size();
  if ((names != nullptr && names->size() != count) || (keys != nullptr && keys->size() != count) ||
      (visibility != nullptr && visibility->size() != count)) {
    return Status::Error("its layer attributes list different numbers of layers");
  }
  for (std::size_t i = 0; i < count; ++i) {
    ExrLayer layer;
    layer.channelPrefix = (*prefixes)[i];
    layer.name = Utf8ToCp1252(names != nullptr ? (*names)[i] : (*prefixes)[i]);
    layer.blendKey = keys != nullptr ? FourCCFromChars((*keys)[i]) : FourCC("norm");
    layer.visible = visibility == nullptr || (*visibility)[i] != kExrHidden;
    layers.push_back(std::move(layer));
  }
  return layers;
}

// A file from elsewhere: one layer per distinct prefix, in channel order.
std::vector<ExrLayer> LayersFromChannels(const Imf::Header& header) {
  std::vector<ExrLayer> layers;
  for (auto it = header.channels().begin(); it != header.channels().end(); ++it) {
    const std::string channel = it.name();
    const std::size_t dot = channel.rfind('.');
    if (dot == std::string::npos) continue;  // the merged image's own channels
    const std::string prefix = channel.substr(0, dot);
    if (!layers.empty() && layers.back().channelPrefix == prefix) continue;
    ExrLayer layer;
    layer.channelPrefix = prefix;
    layer.name = Utf8ToCp1252(prefix);
    layer.blendKey = FourCC("norm");
    layers.push_back(std::move(layer));
  }
  return layers;
}

std::vector<std::vector<ColourValue>*> Planes(ExrDocument& doc) {
  std::vector<std::vector<ColourValue>*> planes = {&doc.merged};
  for (ExrLayer& layer : doc.layers) planes.push_back(&layer.pixels);
  return planes;
}

void Unpremultiply(std::vector<ColourValue>& pixels) {
  for (ColourValue& v : pixels) {
    if (!(v.alpha > 0.0f) || v.alpha == 1.0f) continue;
    v.red /= v.alpha;
    v.green /= v.alpha;
    v.blue /= v.alpha;
  }
}

Result<ExrDocument> ReadFrom(ByteSource& source, const std::string& name, std::uint64_t decodedLimit) {
  if (const std::string wrong = CheckHeaders(source, decodedLimit); !wrong.empty()) return Status::Error(wrong);
  UseAllCoresForExr();
  SourceStream stream(source, name);
  Imf::InputFile file(stream);
  const Imf::Header& header = file.header();
  const Imath::Box2i window = header.dataWindow();
  const std::int64_t width = std::int64_t(window.max.x) - window.min.x + 1;
  const std::int64_t height = std::int64_t(window.max.y) - window.min.y + 1;
  if (width < 1 || height < 1) return Status::Error("its data window is empty");

  Result<std::vector<ExrLayer>> listed = LayersFromAttributes(header);
  if (!listed.ok()) return listed.status();
  ExrDocument doc;
  doc.width = int(width);
  doc.height = int(height);
  doc.layers = listed.value().empty() ? LayersFromChannels(header) : std::move(listed.value());
  const std::uint64_t bytes = std::uint64_t(width) * std::uint64_t(height) * sizeof(ColourValue);
  const bool merged = header.channels().findChannel("R") != nullptr;
  if (bytes * (doc.layers.size() + (merged ? 1 : 0)) > decodedLimit) {
    return Status::Error("its layers need more memory than " + ByteCountText(decodedLimit) + ", which is all it may take");
  }

  Imf::FrameBuffer frame;
  const char* suffixes[4] = {"R", "G", "B", "A"};
  auto insert = [&](const std::string& prefix, std::vector<ColourValue>& pixels) {
    pixels.assign(std::size_t(width) * std::size_t(height), ColourValue{1.0f, 0.0f, 0.0f, 0.0f});
    ColourValue* first = pixels.data();
    float* members[4] = {&first->red, &first->green, &first->blue, &first->alpha};
    for (int c = 0; c < 4; ++c) {
      const std::string channel = prefix.empty() ? suffixes[c] : prefix + "." + suffixes[c];
      // Channels the file lacks keep what the plane was filled with.
      const Imf::Channel* found = header.channels().findChannel(channel);
      if (found == nullptr) continue;
      if (found->type == Imf::HALF && !prefix.empty()) doc.halfLayers = true;
      frame.insert(channel, Imf::Slice::Make(Imf::FLOAT, members[c], window, sizeof(ColourValue),
                                             sizeof(ColourValue) * std::size_t(width)));
    }
  };
  if (merged) insert(std::string(), doc.merged);
  for (ExrLayer& layer : doc.layers) insert(layer.channelPrefix, layer.pixels);
  file.setFrameBuffer(frame);
  file.readPixels(window.min.y, window.max.y);
  for (std::vector<ColourValue>* pixels : Planes(doc)) Unpremultiply(*pixels);
  return doc;
}

Result<ExrDocument> Read(ByteSource& source, const std::string& name, std::uint64_t decodedLimit) {
  try {
    Result<ExrDocument> doc = ReadFrom(source, name, decodedLimit);
    if (!doc.ok()) return Status::Error("cannot read " + name + ": " + doc.message());
    return doc;
  } catch (const std::bad_alloc&) {
    return Status::Error("cannot read " + name + ": out of memory");
  } catch (const std::exception& error) {
    return Status::Error("cannot read " + name + ": " + error.what());
  }
}

}  // namespace

Result<ExrDocument> ReadExr(const std::string& path, const ImageReadLimits& limits) {
  auto source = ByteSource::OpenFile(path, limits.fileBytes);
  if (!source.ok()) return source.status();
  return Read(*source.value(), path, limits.decodedBytes);
}

Result<ExrDocument> ReadExr(std::span<const std::uint8_t> bytes, const ImageReadLimits& limits) {
  return Read(*ByteSource::FromMemory(bytes), "the EXR data", limits.decodedBytes);
}

}  // namespace zurender
