// The shapes an object can have. Sizes and positions are in world units.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "zurender/scene/vec3.h"

namespace zurender {

struct Sphere {
  Vec3 centre;
  float radius = 1.0f;
};

// Infinite; both sides are surfaces.
struct Plane {
  Vec3 point;
  Vec3 normal{0.0f, 1.0f, 0.0f};  // unit length
};

// Axis-aligned between min and max, then turned about the vertical axis through its centre.
struct Box {
  Vec3 min{-0.5f, -0.5f, -0.5f};
  Vec3 max{0.5f, 0.5f, 0.5f};
  float rotateYDegrees = 0.0f;
};

// Triangles in the mesh's own coordinates. normals is empty (flat shading) or holds one normal
// per position.
struct TriangleMesh {
  std::vector<Vec3> positions;
  std::vector<Vec3> normals;
  std::vector<std::array<std::uint32_t, 3>> triangles;
};

// A mesh placed in the world: scaled, then turned about the vertical axis, then moved.
struct Mesh {
  std::shared_ptr<const TriangleMesh> data;  // shared: copies of a scene share the triangles
  std::string file;                          // where it came from, for messages
  Vec3 scale{1.0f, 1.0f, 1.0f};
  float rotateYDegrees = 0.0f;
  Vec3 translate;
};

using Shape = std::variant<Sphere, Plane, Box, Mesh>;

}  // namespace zurender
