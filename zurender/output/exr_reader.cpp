#include "zurender/output/exr_reader.h"

#include <ImfChannelList.h>
#include <ImfFrameBuffer.h>
#include <Iex.h>
#include <ImfHeader.h>
#include <ImfIO.h>
#include <ImfInputFile.h>
#include <ImfStringVectorAttribute.h>

#include <memory>
#include <new>

#include "zurender/base/file_reading.h"
#include "zurender/output/big_endian.h"
#include "zurender/output/byte_source.h"
#include "zurender/output/exr_file.h"
#include "zurender/output/text_encoding.h"

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
    layer.name = Utf8ToLatin1(names != nullptr ? (*names)[i] : (*prefixes)[i]);
    layer.blendKey = keys != nullptr ? BlendKeyFromText((*keys)[i]) : FourCc("norm");
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
    layer.name = Utf8ToLatin1(prefix);
    layer.blendKey = FourCc("norm");
    layers.push_back(std::move(layer));
  }
  return layers;
}

Result<ExrDocument> ReadFrom(ByteSource& source, const std::string& name, std::uint64_t decodedLimit) {
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
      if (header.channels().findChannel(channel) == nullptr) continue;
      frame.insert(channel, Imf::Slice::Make(Imf::FLOAT, members[c], window, sizeof(ColourValue),
                                             sizeof(ColourValue) * std::size_t(width)));
    }
  };
  if (merged) insert(std::string(), doc.merged);
  for (ExrLayer& layer : doc.layers) insert(layer.channelPrefix, layer.pixels);
  file.setFrameBuffer(frame);
  file.readPixels(window.min.y, window.max.y);
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
