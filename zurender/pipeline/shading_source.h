// Where the host's answers for each pixel come from: the tracer, or a recording of an earlier
// render's answers, which lets two builds of the plug-in be given exactly the same inputs.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "zurender/trace/pixel_shade.h"

namespace zurender {

class ByteSource;
class Tracer;

class ShadingSource {
 public:
  virtual ~ShadingSource() = default;
  virtual int LightCount() const = 0;
  // The colour of light i's record.
  virtual const float* LightColour(int i) const = 0;
  // Pixel (x, y): its shade and its lights' samples; the rays it took are added to rays. Called
  // from several threads at once, each for pixels of its own.
  virtual void Shade(int x, int y, PixelShade& shade, LightSample* lights, std::uint64_t& rays) = 0;
};

std::unique_ptr<ShadingSource> TracedShading(const Tracer& tracer);

// Every answer of a frame, as a file: written after a render, read to replay it.
//   'ZUHR', version 1, width, height, light count (32-bit little-endian words), whether the scene
//   has fog (one byte), each light's colour (3 floats), then per pixel, row by row, its shade and
//   its lights' samples as the host's records hold them.
class ShadingRecord final : public ShadingSource {
 public:
  // Records what source answers, for a frame of this size.
  ShadingRecord(ShadingSource& source, int width, int height, bool sceneHasFog);
  // Reads a recording; none, with error set, when the file is not one or not of this size.
  static std::unique_ptr<ShadingRecord> Read(const std::string& path, int width, int height, std::string& error);
  // The same from any bytes; the message does not name them.
  static std::unique_ptr<ShadingRecord> FromSource(ByteSource& source, int width, int height, std::string& error);

  // The most lights a recording holds, and the most bytes it may be: what a 32-bit process holds.
  static constexpr std::uint32_t kMostRecordedLights = 1024;
  static constexpr std::uint64_t kLargestRecording = std::uint64_t(3) << 29;

  bool Write(const std::string& path, std::string& error) const;
  bool sceneHasFog() const { return fog_; }

  int LightCount() const override { return int(colours_.size() / 3); }
  const float* LightColour(int i) const override { return &colours_[std::size_t(i) * 3]; }
  void Shade(int x, int y, PixelShade& shade, LightSample* lights, std::uint64_t& rays) override;

 private:
  ShadingRecord() = default;
  ShadingSource* source_ = nullptr;  // none when replaying
  int width_ = 0;
  int height_ = 0;
  bool fog_ = false;
  std::vector<float> colours_;
  std::vector<PixelShade> shades_;
  std::vector<LightSample> lights_;
};

}  // namespace zurender
