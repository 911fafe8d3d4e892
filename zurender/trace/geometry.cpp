#include "zurender/trace/geometry.h"

#include <cmath>
#include <variant>

namespace zurender {
namespace {

float PlaneDistance(const PlaneSurface& plane, const Ray& ray) {
  const float denominator = Dot(plane.normal, ray.direction);
  if (denominator == 0.0f) return kNoHit;
  return (plane.offset - Dot(plane.normal, ray.origin)) / denominator;
}

void AddMesh(const Mesh& mesh, int object, std::vector<Primitive>& out, std::vector<Vec3>& normals) {
  if (!mesh.data) return;
  const float angle = Radians(mesh.rotateYDegrees);
  const float c = std::cos(angle);
  const float s = std::sin(angle);
  const auto place = [&](Vec3 p) { return RotateY(p * mesh.scale, c, s) + mesh.translate; };
  // Normals go through the inverse transpose: divided by the scale, then turned.
  const Vec3 inverseScale{1.0f / mesh.scale.x, 1.0f / mesh.scale.y, 1.0f / mesh.scale.z};
  const TriangleMesh& data = *mesh.data;
  const bool smooth = data.normals.size() == data.positions.size();
  for (const auto& tri : data.triangles) {
    Primitive p;
    p.kind = Primitive::Kind::kTriangle;
    p.object = object;
    p.a = place(data.positions[tri[0]]);
    p.b = place(data.positions[tri[1]]) - p.a;
    p.c = place(data.positions[tri[2]]) - p.a;
    if (smooth) {
      p.normals = static_cast<std::int32_t>(normals.size());
      for (int i = 0; i < 3; ++i) normals.push_back(Normalize(RotateY(data.normals[tri[i]] * inverseScale, c, s)));
    }
    out.push_back(p);
  }
}

struct PrimitiveCount {
  std::uint64_t primitives = 0;
  std::uint64_t normals = 0;  // three per smooth triangle
};

PrimitiveCount CountPrimitives(const Scene& scene) {
  PrimitiveCount count;
  for (const Object& object : scene.objects) {
    if (std::holds_alternative<Plane>(object.shape)) continue;
    const auto* mesh = std::get_if<Mesh>(&object.shape);
    if (mesh == nullptr) {
      ++count.primitives;
    } else if (mesh->data) {
      const TriangleMesh& data = *mesh->data;
      count.primitives += data.triangles.size();
      if (data.normals.size() == data.positions.size()) count.normals += 3 * std::uint64_t(data.triangles.size());
    }
  }
  return count;
}

std::vector<Primitive> FinitePrimitives(const Scene& scene, std::vector<Vec3>& normals) {
  // Reserved whole: growing by doubling would take up to twice the memory counted for it.
  const PrimitiveCount count = CountPrimitives(scene);
  std::vector<Primitive> out;
  out.reserve(std::size_t(count.primitives));
  normals.reserve(std::size_t(count.normals));
  for (std::size_t i = 0; i < scene.objects.size(); ++i) {
    const int object = static_cast<int>(i);
    const Shape& shape = scene.objects[i].shape;
    if (const auto* sphere = std::get_if<Sphere>(&shape)) {
      Primitive p;
      p.kind = Primitive::Kind::kSphere;
      p.object = object;
      p.a = sphere->centre;
      p.radius = sphere->radius;
      out.push_back(p);
    } else if (const auto* box = std::get_if<Box>(&shape)) {
      Primitive p;
      p.kind = Primitive::Kind::kBox;
      p.object = object;
      p.a = box->min * 0.5f + box->max * 0.5f;
      p.b = box->max * 0.5f - box->min * 0.5f;
      p.cosA = std::cos(Radians(box->rotateYDegrees));
      p.sinA = std::sin(Radians(box->rotateYDegrees));
      out.push_back(p);
    } else if (const auto* mesh = std::get_if<Mesh>(&shape)) {
      AddMesh(*mesh, object, out, normals);
    }
  }
  return out;
}

std::vector<PlaneSurface> Planes(const Scene& scene) {
  std::vector<PlaneSurface> out;
  for (std::size_t i = 0; i < scene.objects.size(); ++i) {
    if (const auto* plane = std::get_if<Plane>(&scene.objects[i].shape)) {
      const Vec3 n = Normalize(plane->normal);
      out.push_back({n, Dot(n, plane->point), static_cast<int>(i)});
    }
  }
  return out;
}

std::vector<Vec3> CrossingTints(const Scene& scene) {
  std::vector<Vec3> out;
  for (const Object& object : scene.objects) {
    const Material& m = scene.materials[static_cast<std::size_t>(object.material)];
    out.push_back(m.transmissionColour * m.transparency);
  }
  return out;
}

}  // namespace

std::uint64_t Geometry::BytesNeeded(const Scene& scene) {
  const PrimitiveCount count = CountPrimitives(scene);
  return count.primitives * sizeof(Primitive) + count.normals * sizeof(Vec3) + Bvh::BuildBytes(count.primitives);
}

Geometry::Geometry(const Scene& scene)
    : primitives_(FinitePrimitives(scene, normals_)),
      bvh_(primitives_),
      planes_(Planes(scene)),
      crossingTint_(CrossingTints(scene)) {}

Hit Geometry::Intersect(const Ray& ray, float tMax) const {
  Hit hit;
  hit.t = tMax;
  for (std::size_t i = 0; i < planes_.size(); ++i) {
    const float t = PlaneDistance(planes_[i], ray);
    if (t > 0.0f && t < hit.t) {
      hit.t = t;
      hit.plane = static_cast<int>(i);
    }
  }
  bvh_.Walk(ray, hit.t, [&](std::int32_t first, std::int32_t count, float limit) {
    for (std::int32_t i = first; i < first + count; ++i) {
      float u;
      float v;
      const float t = IntersectPrimitive(primitives_[i], ray, 0.0f, limit, u, v);
      if (t < limit) {
        limit = hit.t = t;
        hit.primitive = i;
        hit.plane = -1;
        hit.u = u;
        hit.v = v;
      }
    }
    return limit;
  });
  if (hit.primitive < 0 && hit.plane < 0) hit.t = kNoHit;
  return hit;
}

Vec3 Geometry::Transmittance(const Ray& ray, float tMax, int skipObject) const {
  Vec3 through{1.0f, 1.0f, 1.0f};
  for (const PlaneSurface& plane : planes_) {
    if (plane.object == skipObject) continue;
    const float t = PlaneDistance(plane, ray);
    if (!(t > 0.0f && t < tMax)) continue;
    through *= crossingTint_[plane.object];
    if (IsBlack(through)) return {};
  }
  bool blocked = false;
  bvh_.Walk(ray, tMax, [&](std::int32_t first, std::int32_t count, float limit) {
    for (std::int32_t i = first; i < first + count; ++i) {
      const Primitive& p = primitives_[i];
      if (p.object == skipObject) continue;
      const int crossings = CountCrossings(p, ray, 0.0f, tMax);
      for (int k = 0; k < crossings; ++k) through *= crossingTint_[p.object];
      if (crossings > 0 && IsBlack(through)) {
        blocked = true;
        return -1.0f;
      }
    }
    return limit;
  });
  return blocked ? Vec3{} : through;
}

SurfacePoint Geometry::Surface(const Ray& ray, const Hit& hit) const {
  SurfacePoint s;
  s.point = ray.origin + ray.direction * hit.t;
  if (hit.plane >= 0) {
    const PlaneSurface& plane = planes_[hit.plane];
    s.geometric = s.shading = plane.normal;
    s.object = plane.object;
    return s;
  }
  const Primitive& p = primitives_[hit.primitive];
  s.object = p.object;
  s.geometric = s.shading = PrimitiveNormal(p, s.point);
  if (p.kind == Primitive::Kind::kTriangle && p.normals >= 0) {
    const Vec3* n = &normals_[static_cast<std::size_t>(p.normals)];
    const Vec3 blended = n[0] * (1.0f - hit.u - hit.v) + n[1] * hit.u + n[2] * hit.v;
    const float length = Length(blended);
    if (length > 1e-6f) s.shading = blended * (1.0f / length);
  }
  return s;
}

}  // namespace zurender
