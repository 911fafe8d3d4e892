#include "zurender/scene/texture.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace zurender {
namespace {

// Below this footprint (in cells) the pattern is sampled at the point, unfiltered.
constexpr float kSharpFootprint = 1e-4f;

float Fract(float v) { return v - std::floor(v); }

// The square wave that is 1 on cells of even index and -1 on odd ones, box-filtered over
// [u - w/2, u + w/2]: the difference of its integral, a triangle wave, at the two ends.
float FilteredSquare(float u, float w) {
  if (w < kSharpFootprint) return Fract(u * 0.5f) < 0.5f ? 1.0f : -1.0f;
  const float a = std::fabs(Fract((u - 0.5f * w) * 0.5f) - 0.5f);
  const float b = std::fabs(Fract((u + 0.5f * w) * 0.5f) - 0.5f);
  return std::clamp(2.0f * (a - b) / w, -1.0f, 1.0f);
}

// Running integral of the grout indicator: grout is the band of width g centred on each
// integer.
float GroutIntegral(float u, float g) {
  const float shifted = u + 0.5f * g;
  return std::floor(shifted) * g + std::min(Fract(shifted), g);
}

// The fraction of [u - w/2, u + w/2] that is grout.
float FilteredGrout(float u, float w, float g) {
  if (w < kSharpFootprint) return Fract(u + 0.5f * g) < g ? 1.0f : 0.0f;
  return std::clamp((GroutIntegral(u + 0.5f * w, g) - GroutIntegral(u - 0.5f * w, g)) / w, 0.0f, 1.0f);
}

// A number in [0, 1) that belongs to one tile.
float TileHash(int a, int b, int c) {
  std::uint32_t h = static_cast<std::uint32_t>(a) * 0x8da6b343u ^ static_cast<std::uint32_t>(b) * 0xd8163841u ^
                    static_cast<std::uint32_t>(c) * 0xcb1ab31fu;
  h ^= h >> 16;
  h *= 0x7feb352du;
  h ^= h >> 15;
  return static_cast<float>(h >> 8) * (1.0f / 16777216.0f);
}

// The point in cell units along the axes of the texture's space; dims is 2 or 3.
int Coordinates(const Texture& t, Vec3 p, float c[3]) {
  const float s = 1.0f / t.size;
  switch (t.space) {
    case Texture::Space::kXZ:
      c[0] = p.x * s;
      c[1] = p.z * s;
      return 2;
    case Texture::Space::kXY:
      c[0] = p.x * s;
      c[1] = p.y * s;
      return 2;
    case Texture::Space::kYZ:
      c[0] = p.y * s;
      c[1] = p.z * s;
      return 2;
    case Texture::Space::kWorld:
      break;
  }
  c[0] = p.x * s;
  c[1] = p.y * s;
  c[2] = p.z * s;
  return 3;
}

Vec3 Checker(const Material& m, const float* c, int dims, float w) {
  float product = 1.0f;
  for (int i = 0; i < dims; ++i) product *= FilteredSquare(c[i], w);
  const float second = 0.5f - 0.5f * product;  // 1 where the cells' index sum is odd
  return m.diffuse * (1.0f - second) + m.texture.colour * second;
}

Vec3 Tiles(const Material& m, const float* c, int dims, float w) {
  const Texture& t = m.texture;
  float tile = 1.0f;
  int cell[3] = {0, 0, 0};
  for (int i = 0; i < dims; ++i) {
    tile *= 1.0f - FilteredGrout(c[i], w, t.groove);
    cell[i] = static_cast<int>(std::floor(c[i]));
  }
  // The tile-to-tile variation fades out where a pixel spans several tiles.
  const float fade = std::clamp(1.0f - w, 0.0f, 1.0f);
  const float shade = 1.0f + t.variation * fade * (2.0f * TileHash(cell[0], cell[1], cell[2]) - 1.0f);
  return m.diffuse * (shade * tile) + t.colour * (1.0f - tile);
}

}  // namespace

Vec3 SurfaceColour(const Material& material, Vec3 point, float footprint) {
  const Texture& t = material.texture;
  if (t.kind == Texture::Kind::kNone) return material.diffuse;
  float c[3];
  const int dims = Coordinates(t, point, c);
  // Far beyond the cell grid's float resolution the pattern is noise: show the flat colour.
  for (int i = 0; i < dims; ++i) {
    if (!(std::fabs(c[i]) < 1e6f)) return material.diffuse;
  }
  const float w = std::max(footprint, 0.0f) / t.size;
  return t.kind == Texture::Kind::kChecker ? Checker(material, c, dims, w) : Tiles(material, c, dims, w);
}

}  // namespace zurender
