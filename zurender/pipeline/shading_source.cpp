#include "zurender/pipeline/shading_source.h"

#include <cstdio>
#include <cstring>

#include "zurender/base/atomic_file.h"
#include "zurender/base/byte_source.h"
#include "zurender/base/four_cc.h"
#include "zurender/trace/tracer.h"

namespace zurender {
namespace {

constexpr std::uint32_t kRecordMagic = LittleEndianFourCC("ZUHR");
constexpr std::uint32_t kRecordVersion = 1;

// Both builds are 32-bit x86 programs compiled from the same records: the bytes mean the same.
static_assert(sizeof(PixelShade) == 224 && sizeof(LightSample) == 20,
              "the recording's layout is the records'");

class Traced final : public ShadingSource {
 public:
  explicit Traced(const Tracer& tracer) : tracer_(tracer) {}
  int LightCount() const override { return tracer_.LightCount(); }
  const float* LightColour(int i) const override { return tracer_.LightColour(i); }
  void Shade(int x, int y, PixelShade& shade, LightSample* lights, std::uint64_t& rays) override {
    tracer_.Shade(x, y, shade, lights, rays);
  }

 private:
  const Tracer& tracer_;
};

}  // namespace

std::unique_ptr<ShadingSource> TracedShading(const Tracer& tracer) { return std::make_unique<Traced>(tracer); }

ShadingRecord::ShadingRecord(ShadingSource& source, int width, int height, bool sceneHasFog)
    : source_(&source), width_(width), height_(height), fog_(sceneHasFog) {
  for (int i = 0; i < source.LightCount(); ++i) colours_.insert(colours_.end(), source.LightColour(i), source.LightColour(i) + 3);
  shades_.resize(std::size_t(width) * std::size_t(height));
  lights_.resize(shades_.size() * std::size_t(LightCount()));
}

void ShadingRecord::Shade(int x, int y, PixelShade& shade, LightSample* lights, std::uint64_t& rays) {
  const std::size_t pixel = std::size_t(y) * std::size_t(width_) + std::size_t(x);
  const std::size_t count = std::size_t(LightCount());
  // Pointers, not references into the samples: a scene without lights has none to point at.
  LightSample* const kept = lights_.data() + pixel * count;
  if (source_ != nullptr) {
    source_->Shade(x, y, shade, lights, rays);
    shades_[pixel] = shade;
    if (count != 0) std::copy(lights, lights + count, kept);
    return;
  }
  shade = shades_[pixel];
  if (count != 0) std::copy(kept, kept + count, lights);
}

bool ShadingRecord::Write(const std::string& path, std::string& error) const {
  AtomicFile file;
  const std::uint32_t header[5] = {kRecordMagic, kRecordVersion, std::uint32_t(width_), std::uint32_t(height_),
                                   std::uint32_t(LightCount())};
  const std::uint8_t fog = fog_ ? 1 : 0;
  Status status = file.Open(path);
  if (status.ok()) status = file.Write(header, sizeof header);
  if (status.ok()) status = file.Write(&fog, 1);
  if (status.ok()) status = file.Write(colours_.data(), colours_.size() * sizeof(float));
  if (status.ok()) status = file.Write(shades_.data(), shades_.size() * sizeof(PixelShade));
  if (status.ok()) status = file.Write(lights_.data(), lights_.size() * sizeof(LightSample));
  if (status.ok()) status = file.Commit();
  error = status.message();
  return status.ok();
}

std::unique_ptr<ShadingRecord> ShadingRecord::Read(const std::string& path, int width, int height,
                                                   std::string& error) {
  Result<std::unique_ptr<ByteSource>> source = ByteSource::OpenFile(path, kLargestRecording);
  if (!source.ok()) {
    error = source.message();
    return nullptr;
  }
  std::unique_ptr<ShadingRecord> record = FromSource(*source.value(), width, height, error);
  if (record == nullptr) error = path + ": " + error;
  return record;
}

std::unique_ptr<ShadingRecord> ShadingRecord::FromSource(ByteSource& source, int width, int height, std::string& error) {
  auto fail = [&](const std::string& why) {
    error = why;
    return nullptr;
  };
  std::uint32_t header[5] = {};
  std::uint8_t fog = 0;
  if (!source.ReadAt(0, header, sizeof header) || header[0] != kRecordMagic || header[1] != kRecordVersion ||
      !source.ReadAt(sizeof header, &fog, 1))
    return fail("not a recording of a render's shading");
  if (int(header[2]) != width || int(header[3]) != height)
    return fail("a recording of a " + std::to_string(header[2]) + "x" + std::to_string(header[3]) +
                " frame, not " + std::to_string(width) + "x" + std::to_string(height));
  if (header[4] > kMostRecordedLights) return fail("not a recording of a render's shading");
  const std::uint64_t pixels = std::uint64_t(width) * std::uint64_t(height);
  const std::uint64_t lights = header[4];
  const std::uint64_t colourBytes = lights * 3 * sizeof(float);
  const std::uint64_t shadeBytes = pixels * sizeof(PixelShade);
  const std::uint64_t sampleBytes = pixels * lights * sizeof(LightSample);
  const std::uint64_t expected = sizeof header + 1 + colourBytes + shadeBytes + sampleBytes;
  if (expected > kLargestRecording) return fail("a recording of this frame would be larger than a 32-bit process can hold");
  if (source.size() < expected) return fail("the recording ends early");
  if (source.size() > expected) return fail("the recording holds more than a frame of this size");
  std::unique_ptr<ShadingRecord> record(new ShadingRecord);
  record->width_ = width;
  record->height_ = height;
  record->fog_ = fog != 0;
  record->colours_.resize(std::size_t(lights) * 3);
  record->shades_.resize(std::size_t(pixels));
  record->lights_.resize(std::size_t(pixels * lights));
  std::uint64_t at = sizeof header + 1;
  auto read = [&](void* data, std::uint64_t bytes) {
    const bool got = bytes == 0 || source.ReadAt(at, data, std::size_t(bytes));
    at += bytes;
    return got;
  };
  if (!read(record->colours_.data(), colourBytes) || !read(record->shades_.data(), shadeBytes) ||
      !read(record->lights_.data(), sampleBytes))
    return fail("the recording ends early");
  return record;
}

}  // namespace zurender
