// The finite shapes the tracer intersects, in world space: spheres, boxes turned about the
// vertical axis, and triangles.
#pragma once

#include <cstdint>

#include "zurender/scene/vec3.h"
#include "zurender/trace/ray.h"

namespace zurender {

struct Primitive {
  enum class Kind : std::uint8_t { kSphere, kBox, kTriangle };
  Kind kind = Kind::kSphere;
  std::int32_t object = 0;  // index of the scene object it belongs to
  // Sphere: a centre, radius. Box: a centre, b half extents, cosA and sinA of its turn about y.
  // Triangle: a first corner, b and c the edges to the second and third; normals is the index of
  // its first corner normal in the geometry's normal list, or -1 for a flat triangle.
  Vec3 a, b, c;
  float radius = 0.0f;
  float cosA = 1.0f;
  float sinA = 0.0f;
  std::int32_t normals = -1;
};

struct Bounds {
  Vec3 min{kNoHit, kNoHit, kNoHit};
  Vec3 max{-kNoHit, -kNoHit, -kNoHit};
  void Grow(Vec3 p) {
    min = Min(min, p);
    max = Max(max, p);
  }
  void Grow(const Bounds& b) {
    min = Min(min, b.min);
    max = Max(max, b.max);
  }
  Vec3 Centre() const { return (min + max) * 0.5f; }
  float HalfArea() const {
    const Vec3 d = max - min;
    return d.x * d.y + d.y * d.z + d.z * d.x;
  }
};

Bounds PrimitiveBounds(const Primitive& p);

// The nearest intersection with t in (tMin, tMax), or kNoHit; a triangle also gives barycentrics.
float IntersectPrimitive(const Primitive& p, const Ray& ray, float tMin, float tMax, float& u, float& v);

// How many times the segment (tMin, tMax) of the ray crosses the surface (0, 1 or 2).
int CountCrossings(const Primitive& p, const Ray& ray, float tMin, float tMax);

// The outward unit normal at a point on the surface (for triangles: the face normal, by the
// corners' winding).
Vec3 PrimitiveNormal(const Primitive& p, Vec3 point);

}  // namespace zurender
