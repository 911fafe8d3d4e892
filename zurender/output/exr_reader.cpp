#include "zurender/output/exr_reader.h"

#include <ImfChannelList.h>
#include <ImfFrameBuffer.h>
#include <ImfHeader.h>
#include <ImfInputFile.h>
#include <ImfStringVectorAttribute.h>

#include <new>

#include "zurender/output/big_endian.h"
#include "zurender/output/exr_file.h"
#include "zurender/output/text_encoding.h"

namespace zurender {
namespace {

// Decoded layers are 16 bytes a pixel, all held at once in a 32-bit process.
constexpr std::uint64_t kMaxDecodedBytes = std::uint64_t(3) << 29;  // 1.5 GiB

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
    layer.name = Utf8ToCp1252(prefix);
    layer.blendKey = FourCc("norm");
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

Result<ExrDocument> ReadFile(const std::string& path) {
  UseAllCoresForExr();
  Imf::InputFile file(path.c_str());
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
  if (bytes * (doc.layers.size() + (merged ? 1 : 0)) > kMaxDecodedBytes) {
    return Status::Error("its layers need more memory than a 32-bit process can give");
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

}  // namespace

Result<ExrDocument> ReadExr(const std::string& path) {
  try {
    Result<ExrDocument> doc = ReadFile(path);
    if (!doc.ok()) return Status::Error("cannot read " + path + ": " + doc.message());
    return doc;
  } catch (const std::bad_alloc&) {
    return Status::Error("cannot read " + path + ": out of memory");
  } catch (const std::exception& error) {
    return Status::Error("cannot read " + path + ": " + error.what());
  }
}

}  // namespace zurender
