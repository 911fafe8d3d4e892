// The scene's surfaces in world space, ready to be hit by rays: planes, and the finite
// primitives in a bounding volume hierarchy. Read-only after construction.
#pragma once

#include <vector>

#include "zurender/scene/scene.h"
#include "zurender/trace/bvh.h"
#include "zurender/trace/primitives.h"
#include "zurender/trace/ray.h"

namespace zurender {

struct PlaneSurface {
  Vec3 normal;   // unit length, as the scene gives it
  float offset;  // dot(normal, any point of the plane)
  int object;
};

// Where a ray met a surface.
struct SurfacePoint {
  Vec3 point;
  Vec3 geometric;  // unit normal of the surface itself: outward for closed shapes
  Vec3 shading;    // unit normal for lighting (interpolated on meshes with normals)
  int object;
};

class Geometry {
 public:
  explicit Geometry(const Scene& scene);

  // The most memory building the scene's geometry takes at once: its primitives, their normals
  // and the hierarchy's build. Counted before anything is built, so that a scene too large for
  // the address space is refused first.
  static std::uint64_t BytesNeeded(const Scene& scene);

  // The nearest hit with t in (0, tMax).
  Hit Intersect(const Ray& ray, float tMax) const;

  // What fraction of light, per channel, passes along (0, tMax) of the ray: each crossing of a
  // transparent surface multiplies by its transparency x transmission colour, an opaque surface
  // stops it. Surfaces of skipObject (-1 for none) are passed over.
  Vec3 Transmittance(const Ray& ray, float tMax, int skipObject) const;

  SurfacePoint Surface(const Ray& ray, const Hit& hit) const;

  // For tests: every finite primitive, in the hierarchy's order, and the planes.
  const std::vector<Primitive>& primitives() const { return primitives_; }
  const std::vector<PlaneSurface>& planes() const { return planes_; }

 private:
  std::vector<Vec3> normals_;  // mesh corner normals in world space, three per smooth triangle
  std::vector<Primitive> primitives_;
  Bvh bvh_;
  std::vector<PlaneSurface> planes_;
  std::vector<Vec3> crossingTint_;  // per object: what one crossing lets through; 0 for opaque
};

}  // namespace zurender
