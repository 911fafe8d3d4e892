#include "zurender/output/exr_writer.h"

#include <Iex.h>
#include <Imath/half.h>
#include <ImfChannelList.h>
#include <ImfFrameBuffer.h>
#include <ImfHeader.h>
#include <ImfIO.h>
#include <ImfOutputFile.h>
#include <ImfStandardAttributes.h>
#include <ImfStringAttribute.h>
#include <ImfStringVectorAttribute.h>

#include <algorithm>
#include <ctime>
#include <new>
#include <vector>

#include "zurender/base/atomic_file.h"
#include "zurender/base/four_cc.h"
#include "zurender/base/text_encoding.h"
#include "zurender/output/exr_file.h"
#include "zurender/output/exr_layer_names.h"

namespace zurender {
namespace {

constexpr const char* kChannelSuffixes[4] = {".R", ".G", ".B", ".A"};
// The premultiplied copy is made a strip of rows at a time, every layer of the strip at once,
// in about this many bytes; whole blocks of ZIP's 16 rows, so that each strip compresses on its
// own, two blocks at least, one for each core, when memory allows.
constexpr std::size_t kStripBytes = std::size_t(16) << 20;
constexpr int kRowsPerBlock = 16;
constexpr int kMaxStripRows = 256;

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

// A pixel as the format stores it: colour times coverage, or opaque. Where nothing is covered
// nothing is left, infinite colours included.
ColourValue Stored(const ColourValue& v, LayerAlpha alpha) {
  if (alpha == LayerAlpha::kOpaque) return ColourValue{1.0f, v.red, v.green, v.blue};
  if (v.alpha == 0.0f) return ColourValue{0.0f, 0.0f, 0.0f, 0.0f};
  return ColourValue{v.alpha, v.red * v.alpha, v.green * v.alpha, v.blue * v.alpha};
}

// "YYYY:MM:DD hh:mm:ss", the form of the format's capture date, in UTC.
std::string CaptureDate(std::int64_t seconds) {
  const std::time_t t = std::time_t(seconds);
  std::tm utc{};
#if defined(_WIN32)
  gmtime_s(&utc, &t);
#else
  gmtime_r(&t, &utc);
#endif
  char text[32];
  std::strftime(text, sizeof text, "%Y:%m:%d %H:%M:%S", &utc);
  return text;
}

struct Plane {
  std::string prefix;  // empty for the merged image
  const ColourValue* pixels;
  LayerAlpha alpha;
  Imf::PixelType type;
};

// The name of a plane's channel c: "R" for the merged image, "<layer>.R" for a layer.
std::string ChannelName(const Plane& plane, int c) {
  return plane.prefix.empty() ? kChannelSuffixes[c] + 1 : plane.prefix + kChannelSuffixes[c];
}

// The header: compression, colour space, software and time, four channels for every plane, and
// the layers' names, blend keys and visibility. planes receives what each set of channels holds.
Imf::Header MakeHeader(const ExrImage& image, std::vector<Plane>& planes) {
  Imf::Header header(image.width, image.height);
  switch (image.compression) {
    case ExrCompression::kNone: header.compression() = Imf::NO_COMPRESSION; break;
    case ExrCompression::kRle: header.compression() = Imf::RLE_COMPRESSION; break;
    case ExrCompression::kZip: header.compression() = Imf::ZIP_COMPRESSION; break;
  }
  // The values are linear light with the primaries and white of Rec. 709 and sRGB, which the
  // layered file's colour profile says too; these are the format's default chromaticities.
  Imf::addChromaticities(header, Imf::Chromaticities());
  if (!image.software.empty()) header.insert("software", Imf::StringAttribute(image.software));
  if (image.created >= 0) {
    Imf::addCapDate(header, CaptureDate(image.created));
    Imf::addUtcOffset(header, 0.0f);
  }

  const std::vector<std::string> prefixes = ExrChannelPrefixes(image.layers);
  std::vector<std::string> names, keys, visibility;
  if (!image.merged.empty()) planes.push_back(Plane{"", image.merged.data(), LayerAlpha::kCoverage, Imf::FLOAT});
  for (std::size_t i = 0; i < image.layers.size(); ++i) {
    const LayerView& layer = image.layers[i];
    names.push_back(Cp1252ToUtf8(layer.name));
    keys.push_back(FourCCText(layer.blendKey));
    visibility.push_back(layer.visible ? kExrVisible : kExrHidden);
    planes.push_back(Plane{prefixes[i], layer.pixels.data(), layer.alpha, image.halfLayers ? Imf::HALF : Imf::FLOAT});
  }
  for (const Plane& plane : planes)
    for (int c = 0; c < 4; ++c) header.channels().insert(ChannelName(plane, c), Imf::Channel(plane.type));
  header.insert(kExrLayerChannels, Imf::StringVectorAttribute(prefixes));
  header.insert(kExrLayerNames, Imf::StringVectorAttribute(names));
  header.insert(kExrBlendKeys, Imf::StringVectorAttribute(keys));
  header.insert(kExrLayerVisibility, Imf::StringVectorAttribute(visibility));
  return header;
}

// The values of a strip of rows as the format stores them, every plane's in the strip's buffers:
// float planes keep the pixel's layout, half ones are four halves a pixel in the same order.
class Strips {
 public:
  Strips(const ExrImage& image, const std::vector<Plane>& planes)
      : image_(image), planes_(planes), width_(std::size_t(image.width)) {
    const std::size_t rowBytes = width_ * planes.size() * sizeof(ColourValue);
    const int fit = int(std::min<std::size_t>(kMaxStripRows, kStripBytes / rowBytes)) / kRowsPerBlock * kRowsPerBlock;
    rows_ = std::min(image.height, std::max(kRowsPerBlock, fit));
    values_.resize(width_ * std::size_t(rows_) * planes.size());
    halves_.resize(image.halfLayers ? width_ * std::size_t(rows_) * planes.size() * 4 : 0);
  }
  int rows() const { return rows_; }

  // Fills the buffers with rows y0 to y0 + rows - 1 and gives the slices over them.
  Imf::FrameBuffer Fill(int y0, int rows) {
    const std::size_t count = width_ * std::size_t(rows);
    const Imath::Box2i window({0, y0}, {image_.width - 1, y0 + rows - 1});
    const std::size_t xStride = sizeof(ColourValue);
    const std::size_t yStride = xStride * width_;
    Imf::FrameBuffer frame;
    for (std::size_t p = 0; p < planes_.size(); ++p) {
      ColourValue* first = values_.data() + p * width_ * std::size_t(rows_);
      const ColourValue* from = planes_[p].pixels + std::size_t(y0) * width_;
      for (std::size_t i = 0; i < count; ++i) first[i] = Stored(from[i], planes_[p].alpha);
      const float* floats[4] = {&first->red, &first->green, &first->blue, &first->alpha};
      half* halfFirst = planes_[p].type == Imf::HALF ? halves_.data() + p * width_ * std::size_t(rows_) * 4 : nullptr;
      if (halfFirst != nullptr) {
        for (std::size_t i = 0; i < count; ++i) {
          halfFirst[4 * i + 0] = half(first[i].red);
          halfFirst[4 * i + 1] = half(first[i].green);
          halfFirst[4 * i + 2] = half(first[i].blue);
          halfFirst[4 * i + 3] = half(first[i].alpha);
        }
      }
      for (int c = 0; c < 4; ++c)
        frame.insert(ChannelName(planes_[p], c),
                     halfFirst != nullptr
                         ? Imf::Slice::Make(Imf::HALF, halfFirst + c, window, 4 * sizeof(half), 4 * sizeof(half) * width_)
                         : Imf::Slice::Make(Imf::FLOAT, floats[c], window, xStride, yStride));
    }
    return frame;
  }

 private:
  const ExrImage& image_;
  const std::vector<Plane>& planes_;
  std::size_t width_;
  int rows_ = 0;
  std::vector<ColourValue> values_;
  std::vector<half> halves_;
};

void WriteFile(AtomicFile& file, const ExrImage& image) {
  std::vector<Plane> planes;
  const Imf::Header header = MakeHeader(image, planes);
  UseAllCoresForExr();
  AtomicFileStream stream(file);
  Imf::OutputFile out(stream, header);
  Strips strips(image, planes);
  for (int y0 = 0; y0 < image.height; y0 += strips.rows()) {
    const int rows = std::min(strips.rows(), image.height - y0);
    out.setFrameBuffer(strips.Fill(y0, rows));
    out.writePixels(rows);
  }
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
