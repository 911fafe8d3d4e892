#include "zurender/studio/png_bytes.h"

#include <png.h>

#include <cstring>

namespace zurender {

std::vector<std::uint8_t> EncodePng(int width, int height, int channels, const std::vector<std::uint8_t>& pixels) {
  if (width < 1 || height < 1 || (channels != 3 && channels != 4) ||
      pixels.size() / std::size_t(width) / std::size_t(channels) < std::size_t(height))
    return {};
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = png_uint_32(width);
  image.height = png_uint_32(height);
  image.format = channels == 4 ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
  image.flags = PNG_IMAGE_FLAG_FAST;
  const png_int_32 stride = png_int_32(width * channels);
  // The first call tells the size, the second writes.
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), stride, nullptr)) {
    png_image_free(&image);
    return {};
  }
  std::vector<std::uint8_t> bytes(size);
  if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, pixels.data(), stride, nullptr)) {
    png_image_free(&image);
    return {};
  }
  bytes.resize(size);
  return bytes;
}

}  // namespace zurender
