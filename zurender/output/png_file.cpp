#include "zurender/output/png_file.h"

#include <png.h>

#include <cstring>

#include "zurender/base/atomic_file.h"

namespace zurender {
namespace {

constexpr int kMaxSide = 1000000;  // the format allows 2^31-1; a larger picture is a caller's mistake

}  // namespace

Status WritePng8(const std::string& path, int width, int height, int channels, std::span<const std::uint8_t> pixels) {
  if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide || (channels != 3 && channels != 4)) {
    return Status::Error("cannot write " + path + ": bad picture size or channel count");
  }
  const std::size_t rowBytes = std::size_t(width) * std::size_t(channels);
  if (pixels.size() / rowBytes < std::size_t(height)) {
    return Status::Error("cannot write " + path + ": fewer pixels than the picture's size");
  }
  AtomicFile file;
  if (Status status = file.Open(path); !status.ok()) return status;
  // libpng's simplified interface reports errors in the image record instead of jumping out.
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = png_uint_32(width);
  image.height = png_uint_32(height);
  image.format = channels == 4 ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
  image.flags = PNG_IMAGE_FLAG_FAST;
  const int written = png_image_write_to_stdio(&image, file.stream(), 0, pixels.data(), png_int_32(rowBytes), nullptr);
  if (written == 0) {
    const std::string reason = image.message[0] != '\0' ? image.message : "the PNG library failed";
    png_image_free(&image);
    return file.Fail(reason);
  }
  return file.Commit();
}

}  // namespace zurender
