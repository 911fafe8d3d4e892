#include "zurender/output/exr_writer.h"

#include <Iex.h>
#include <ImfChannelList.h>
#include <ImfFrameBuffer.h>
#include <ImfHeader.h>
#include <ImfIO.h>
#include <ImfOutputFile.h>
#include <ImfStringVectorAttribute.h>

#include <new>

#include "zurender/output/atomic_file.h"
#include "zurender/output/exr_file.h"
#include "zurender/output/exr_layer_names.h"
#include "zurender/output/text_encoding.h"

namespace zurender {
namespace {

constexpr const char* kChannelSuffixes[4] = {".R", ".G", ".B", ".A"};

// OpenEXR writes through a stream that throws; this one writes through an AtomicFile.
class AtomicFileStream final : public Imf::OStream {
 public:
  explicit AtomicFileStream(AtomicFile& file) : Imf::OStream(file.path().c_str()), file_(file) {}
  void write(const char c[], int n) override {
    if (n < 0 || !file_.Write(c, std::size_t(n)).ok()) throw Iex::IoExc(file_.status().message());
  }
  uint64_t tellp() override { return file_.Tell(); }
  void seekp(uint64_t pos) override {
    if (!file_.Seek(pos).ok()) throw Iex::IoExc(file_.status().message());
  }

 private:
  AtomicFile& file_;
};

Status Validate(const std::string& path, const ExrImage& image) {
  auto fail = [&](const std::string& why) { return Status::Error("cannot write " + path + ": " + why); };
  if (image.width < 1 || image.height < 1) return fail("the image has no pixels");
  if (image.layers.empty()) return fail("no layers to write");
  const std::size_t pixels = std::size_t(image.width) * std::size_t(image.height);
  for (std::size_t i = 0; i < image.layers.size(); ++i) {
    if (image.layers[i].pixels.size() != pixels) {
      return fail("layer " + std::to_string(i + 1) + " is not width*height pixels");
    }
  }
  if (!image.merged.empty() && image.merged.size() != pixels) return fail("the merged image is not width*height pixels");
  return Status();
}

void WriteFile(AtomicFile& file, const ExrImage& image) {
  Imf::Header header(image.width, image.height);
  switch (image.compression) {
    case ExrCompression::kNone: header.compression() = Imf::NO_COMPRESSION; break;
    case ExrCompression::kRle: header.compression() = Imf::RLE_COMPRESSION; break;
    case ExrCompression::kZip: header.compression() = Imf::ZIP_COMPRESSION; break;
  }
  const std::vector<std::string> prefixes = ExrChannelPrefixes(image.layers);
  std::vector<std::string> names, keys, visibility;
  Imf::FrameBuffer frame;
  const std::size_t xStride = sizeof(ColourValue);
  const std::size_t yStride = xStride * std::size_t(image.width);
  // The frame buffer points at the caller's pixels: OpenEXR reads them row block by row block.
  auto insert = [&](const std::string& prefix, const ColourValue* first) {
    const float* members[4] = {&first->red, &first->green, &first->blue, &first->alpha};
    for (int c = 0; c < 4; ++c) {
      const std::string channel = prefix.empty() ? kChannelSuffixes[c] + 1 : prefix + kChannelSuffixes[c];
      header.channels().insert(channel, Imf::Channel(Imf::FLOAT));
      char* base = const_cast<char*>(reinterpret_cast<const char*>(members[c]));
      frame.insert(channel, Imf::Slice(Imf::FLOAT, base, xStride, yStride));
    }
  };
  if (!image.merged.empty()) insert(std::string(), image.merged.data());
  for (std::size_t i = 0; i < image.layers.size(); ++i) {
    const LayerView& layer = image.layers[i];
    names.push_back(Latin1ToUtf8(layer.name));
    keys.push_back(BlendKeyText(layer.blendKey));
    visibility.push_back(layer.visible ? kExrVisible : kExrHidden);
    insert(prefixes[i], layer.pixels.data());
  }
  header.insert(kExrLayerChannels, Imf::StringVectorAttribute(prefixes));
  header.insert(kExrLayerNames, Imf::StringVectorAttribute(names));
  header.insert(kExrBlendKeys, Imf::StringVectorAttribute(keys));
  header.insert(kExrLayerVisibility, Imf::StringVectorAttribute(visibility));

  UseAllCoresForExr();
  AtomicFileStream stream(file);
  Imf::OutputFile out(stream, header);
  out.setFrameBuffer(frame);
  out.writePixels(image.height);
}

}  // namespace

Status WriteExr(const std::string& path, const ExrImage& image) {
  if (Status status = Validate(path, image); !status.ok()) return status;
  AtomicFile file;
  try {
    if (Status status = file.Open(path); !status.ok()) return status;
    WriteFile(file, image);
  } catch (const std::bad_alloc&) {
    return file.Fail("out of memory");
  } catch (const std::exception& error) {
    return file.status().ok() ? file.Fail(error.what()) : file.status();
  }
  return file.Commit();
}

}  // namespace zurender
