#include "zurender/output/png_file.h"

#include <png.h>

#include <cstring>

#include "zurender/base/atomic_file.h"

namespace zurender {
namespace {

constexpr int kMaxSide = 1000000;  // the format allows 2^31-1; a larger picture is a caller's mistake

// Why pixels cannot be a picture of that size, or nullptr when they can.
const char* SizeProblem(int width, int height, int channels, std::size_t pixelBytes) {
  if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide || (channels != 3 && channels != 4))
    return "bad picture size or channel count";
  if (pixelBytes / (std::size_t(width) * std::size_t(channels)) < std::size_t(height))
    return "fewer pixels than the picture's size";
  return nullptr;
}

// The record of libpng's simplified interface, which reports errors in it instead of jumping out.
png_image ImageRecord(int width, int height, int channels) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = png_uint_32(width);
  image.height = png_uint_32(height);
  image.format = channels == 4 ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
  image.flags = PNG_IMAGE_FLAG_FAST;
  return image;
}

}  // namespace

Status WritePng8(const std::string& path, int width, int height, int channels, std::span<const std::uint8_t> pixels) {
  if (const char* problem = SizeProblem(width, height, channels, pixels.size()))
    return Status::Error("cannot write " + path + ": " + problem);
  AtomicFile file;
  if (Status status = file.Open(path); !status.ok()) return status;
  png_image image = ImageRecord(width, height, channels);
  const int written =
      png_image_write_to_stdio(&image, file.stream(), 0, pixels.data(), png_int_32(width * channels), nullptr);
  if (written == 0) {
    const std::string reason = image.message[0] != '\0' ? image.message : "the PNG library failed";
    png_image_free(&image);
    return file.Fail(reason);
  }
  return file.Commit();
}

std::vector<std::uint8_t> EncodePng(int width, int height, int channels, std::span<const std::uint8_t> pixels) {
  if (SizeProblem(width, height, channels, pixels.size()) != nullptr) return {};
  png_image image = ImageRecord(width, height, channels);
  const png_int_32 stride = png_int_32(width * channels);
  // The first call tells the size, the second writes.
  png_alloc_size_t size = 0;
  std::vector<std::uint8_t> bytes;
  if (png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), stride, nullptr)) {
    bytes.resize(size);
    if (png_image_write_to_memory(&image, bytes.data(), &size, 0, pixels.data(), stride, nullptr)) {
      bytes.resize(size);
      return bytes;
    }
  }
  png_image_free(&image);
  return {};
}

}  // namespace zurender
