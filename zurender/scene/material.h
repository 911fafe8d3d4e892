// How a surface looks: the artist's settings of one named material.
#pragma once

#include <string>

#include "zurender/scene/vec3.h"

namespace zurender {

// A procedural pattern that replaces the diffuse colour. Cells are `size` world units wide.
struct Texture {
  enum class Kind { kNone, kChecker, kTiles };
  // Where the pattern lives: a solid pattern in world space, or the projection of the surface
  // point onto a pair of world axes (the floor's pattern is "xz").
  enum class Space { kWorld, kXZ, kXY, kYZ };

  Kind kind = Kind::kNone;
  Space space = Space::kXZ;
  Vec3 colour{0.1f, 0.1f, 0.1f};  // checker: the second colour; tiles: the grout
  float size = 1.0f;              // width of a cell, world units, > 0
  float groove = 0.05f;           // tiles: grout width as a fraction of the cell, 0 to 0.5
  float variation = 0.0f;         // tiles: random brightness change per tile, 0 to 1
};

struct Material {
  std::string name;
  Vec3 diffuse{0.8f, 0.8f, 0.8f};  // the surface colour, before (1 - transparency)
  Texture texture;
  Vec3 specular{0.0f, 0.0f, 0.0f};  // colour of the lights' highlights
  float shininess = 32.0f;          // highlight exponent, > 0
  float reflectivity = 0.0f;        // ray-traced reflection amount, 0 to 1
  Vec3 reflectionColour{1.0f, 1.0f, 1.0f};
  float glossiness = 0.0f;                    // 0 mirror; up to 1 blurred (spread of the reflected rays)
  float bitmapReflection = 0.0f;              // amount of the environment map reflected, 0 to 1
  float transparency = 0.0f;                  // 0 opaque, 1 clear glass
  float ior = 1.5f;                           // index of refraction of the transparent body
  Vec3 transmissionColour{1.0f, 1.0f, 1.0f};  // tint per surface crossing (glass, its shadows)
  Vec3 luminance{0.0f, 0.0f, 0.0f};           // emitted colour
  Vec3 backLight{0.0f, 0.0f, 0.0f};           // weights of light arriving from behind
  float lightExponent = 1.0f;                 // the light factor is raised to this power
};

}  // namespace zurender
