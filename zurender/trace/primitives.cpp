#include "zurender/trace/primitives.h"

#include <cmath>

namespace zurender {
namespace {

// Both roots of |o + t d - c| = r for a unit d, ordered; false when the ray misses.
bool SphereRoots(const Primitive& p, const Ray& ray, float& t0, float& t1) {
  const Vec3 oc = ray.origin - p.a;
  const float b = Dot(oc, ray.direction);
  // The distance of the centre from the ray's line, computed without cancelling |oc|^2 - b^2.
  const Vec3 closest = oc - ray.direction * b;
  const float h = p.radius * p.radius - Dot(closest, closest);
  if (h < 0.0f) return false;
  const float s = std::sqrt(h);
  t0 = -b - s;
  t1 = -b + s;
  return true;
}

// The ray in the box's own frame, where the box is [-b, b] about the origin.
Ray ToBox(const Primitive& p, const Ray& ray) {
  return {RotateY(ray.origin - p.a, p.cosA, -p.sinA), RotateY(ray.direction, p.cosA, -p.sinA)};
}

// The entry and exit of the local ray through the box's slabs; false when it misses.
bool BoxSpan(const Primitive& p, const Ray& local, float& t0, float& t1) {
  t0 = -kNoHit;
  t1 = kNoHit;
  for (int i = 0; i < 3; ++i) {
    const float o = local.origin[i];
    const float d = local.direction[i];
    const float half = p.b[i];
    if (d == 0.0f) {
      if (o < -half || o > half) return false;
      continue;
    }
    const float inv = 1.0f / d;
    float near = (-half - o) * inv;
    float far = (half - o) * inv;
    if (near > far) std::swap(near, far);
    t0 = near > t0 ? near : t0;
    t1 = far < t1 ? far : t1;
  }
  return t0 <= t1;
}

float Triangle(const Primitive& p, const Ray& ray, float tMin, float tMax, float& u, float& v) {
  const Vec3 pv = Cross(ray.direction, p.c);
  const float det = Dot(p.b, pv);
  if (det == 0.0f || !std::isfinite(det)) return kNoHit;
  const float inv = 1.0f / det;
  const Vec3 tv = ray.origin - p.a;
  const float uu = Dot(tv, pv) * inv;
  if (uu < 0.0f || uu > 1.0f) return kNoHit;
  const Vec3 qv = Cross(tv, p.b);
  const float vv = Dot(ray.direction, qv) * inv;
  if (vv < 0.0f || uu + vv > 1.0f) return kNoHit;
  const float t = Dot(p.c, qv) * inv;
  if (!(t > tMin && t < tMax)) return kNoHit;
  u = uu;
  v = vv;
  return t;
}

}  // namespace

Bounds PrimitiveBounds(const Primitive& p) {
  Bounds b;
  switch (p.kind) {
    case Primitive::Kind::kSphere:
      b.Grow(p.a - Splat(p.radius));
      b.Grow(p.a + Splat(p.radius));
      break;
    case Primitive::Kind::kBox: {
      // The turned box's extent in x and z; y is unchanged by the turn.
      const float c = std::fabs(p.cosA);
      const float s = std::fabs(p.sinA);
      const Vec3 e{c * p.b.x + s * p.b.z, p.b.y, s * p.b.x + c * p.b.z};
      b.Grow(p.a - e);
      b.Grow(p.a + e);
      break;
    }
    case Primitive::Kind::kTriangle:
      b.Grow(p.a);
      b.Grow(p.a + p.b);
      b.Grow(p.a + p.c);
      break;
  }
  return b;
}

float IntersectPrimitive(const Primitive& p, const Ray& ray, float tMin, float tMax, float& u, float& v) {
  float t0 = kNoHit;
  float t1 = kNoHit;
  switch (p.kind) {
    case Primitive::Kind::kSphere:
      if (!SphereRoots(p, ray, t0, t1)) return kNoHit;
      break;
    case Primitive::Kind::kBox:
      if (!BoxSpan(p, ToBox(p, ray), t0, t1)) return kNoHit;
      break;
    case Primitive::Kind::kTriangle:
      return Triangle(p, ray, tMin, tMax, u, v);
  }
  if (t0 > tMin && t0 < tMax) return t0;
  if (t1 > tMin && t1 < tMax) return t1;
  return kNoHit;
}

int CountCrossings(const Primitive& p, const Ray& ray, float tMin, float tMax) {
  float t0 = kNoHit;
  float t1 = kNoHit;
  switch (p.kind) {
    case Primitive::Kind::kSphere:
      if (!SphereRoots(p, ray, t0, t1)) return 0;
      break;
    case Primitive::Kind::kBox:
      if (!BoxSpan(p, ToBox(p, ray), t0, t1)) return 0;
      break;
    case Primitive::Kind::kTriangle: {
      float u;
      float v;
      return Triangle(p, ray, tMin, tMax, u, v) < kNoHit ? 1 : 0;
    }
  }
  return (t0 > tMin && t0 < tMax ? 1 : 0) + (t1 > tMin && t1 < tMax ? 1 : 0);
}

Vec3 PrimitiveNormal(const Primitive& p, Vec3 point) {
  switch (p.kind) {
    case Primitive::Kind::kSphere:
      return Normalize(point - p.a);
    case Primitive::Kind::kBox: {
      // The face whose slab the point is closest to, relative to the box's size.
      const Vec3 local = RotateY(point - p.a, p.cosA, -p.sinA);
      int axis = 0;
      float best = -1.0f;
      for (int i = 0; i < 3; ++i) {
        const float closeness = std::fabs(local[i]) / p.b[i];
        if (closeness > best) {
          best = closeness;
          axis = i;
        }
      }
      Vec3 n;
      n[axis] = local[axis] < 0.0f ? -1.0f : 1.0f;
      return RotateY(n, p.cosA, p.sinA);
    }
    case Primitive::Kind::kTriangle:
      return Normalize(Cross(p.b, p.c));
  }
  return {0.0f, 1.0f, 0.0f};
}

}  // namespace zurender
