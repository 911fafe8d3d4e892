#include "zurender/app/shading_source.h"

#include <cstdio>
#include <cstring>

#include "zurender/output/atomic_file.h"
#include "zurender/trace/tracer.h"

namespace zurender {
namespace {

constexpr std::uint32_t kRecordMagic = 0x5248555Au;  // "ZUHR" in the file's byte order
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
  if (source_ != nullptr) {
    source_->Shade(x, y, shade, lights, rays);
    shades_[pixel] = shade;
    std::copy(lights, lights + count, &lights_[pixel * count]);
    return;
  }
  shade = shades_[pixel];
  std::copy(&lights_[pixel * count], &lights_[pixel * count] + count, lights);
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
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  auto fail = [&](const std::string& why) {
    error = path + ": " + why;
    return nullptr;
  };
  if (file == nullptr) return fail("cannot be read");
  std::uint32_t header[5] = {};
  std::uint8_t fog = 0;
  if (std::fread(header, sizeof header, 1, file.get()) != 1 || header[0] != kRecordMagic || header[1] != kRecordVersion ||
      std::fread(&fog, 1, 1, file.get()) != 1)
    return fail("not a recording of a render's shading");
  if (int(header[2]) != width || int(header[3]) != height)
    return fail("a recording of a " + std::to_string(header[2]) + "x" + std::to_string(header[3]) +
                " frame, not " + std::to_string(width) + "x" + std::to_string(height));
  if (header[4] > 1024) return fail("not a recording of a render's shading");
  std::unique_ptr<ShadingRecord> record(new ShadingRecord);
  record->width_ = width;
  record->height_ = height;
  record->fog_ = fog != 0;
  record->colours_.resize(std::size_t(header[4]) * 3);
  record->shades_.resize(std::size_t(width) * std::size_t(height));
  record->lights_.resize(record->shades_.size() * header[4]);
  auto read = [&](void* data, std::size_t bytes) { return bytes == 0 || std::fread(data, bytes, 1, file.get()) == 1; };
  if (!read(record->colours_.data(), record->colours_.size() * sizeof(float)) ||
      !read(record->shades_.data(), record->shades_.size() * sizeof(PixelShade)) ||
      !read(record->lights_.data(), record->lights_.size() * sizeof(LightSample)))
    return fail("the recording ends early");
  return record;
}

}  // namespace zurender
