#include "zurender/trace/geometry.h"

#include <gtest/gtest.h>

#include <memory>

#include "zurender/trace/sampling.h"

namespace zurender {
namespace {

Vec3 RandomIn(PixelRandom& r, float lo, float hi) {
  return {lo + (hi - lo) * r.Next(), lo + (hi - lo) * r.Next(), lo + (hi - lo) * r.Next()};
}

Vec3 RandomDirection(PixelRandom& r) {
  for (;;) {
    const Vec3 d = RandomIn(r, -1.0f, 1.0f);
    if (Dot(d, d) > 0.01f && Dot(d, d) <= 1.0f) return Normalize(d);
  }
}

// Spheres, turned boxes and a cloud of triangles, some of them glass; two planes.
Scene RandomScene(PixelRandom& r) {
  Scene scene;
  Material opaque;
  Material glass;
  glass.transparency = 0.8f;
  glass.transmissionColour = {0.9f, 0.7f, 0.5f};
  scene.materials = {opaque, glass};
  for (int i = 0; i < 80; ++i) {
    const int material = i % 3 == 0 ? 1 : 0;
    if (i % 2 == 0) {
      scene.objects.push_back({"", Sphere{RandomIn(r, -5.0f, 5.0f), 0.1f + 0.6f * r.Next()}, material, 0});
    } else {
      const Vec3 lo = RandomIn(r, -5.0f, 5.0f);
      scene.objects.push_back({"", Box{lo, lo + RandomIn(r, 0.05f, 1.2f), 360.0f * r.Next()}, material, 0});
    }
  }
  auto mesh = std::make_shared<TriangleMesh>();
  for (std::uint32_t i = 0; i < 400; ++i) {
    const Vec3 a = RandomIn(r, -5.0f, 5.0f);
    for (int k = 0; k < 3; ++k) mesh->positions.push_back(a + RandomIn(r, -0.7f, 0.7f));
    mesh->triangles.push_back({3 * i, 3 * i + 1, 3 * i + 2});
  }
  scene.objects.push_back({"", Mesh{mesh, "cloud", {1.0f, 1.3f, 0.8f}, 40.0f, {0.2f, -0.1f, 0.3f}}, 1, 0});
  scene.objects.push_back({"", Plane{{0.0f, -6.0f, 0.0f}, Normalize(Vec3{0.1f, 1.0f, 0.0f})}, 0, 0});
  scene.objects.push_back({"", Plane{{7.0f, 0.0f, 0.0f}, {-1.0f, 0.0f, 0.0f}}, 1, 0});
  return scene;
}

// What one crossing of an object's surface lets through, as the scene's materials say.
Vec3 Tint(const Scene& scene, int object) {
  const Material& m = scene.materials[scene.objects[object].material];
  return m.transmissionColour * m.transparency;
}

TEST(TraceGeometry, HierarchyAgreesWithBruteForce) {
  PixelRandom r(7, 11);
  const Scene scene = RandomScene(r);
  const Geometry geometry(scene);
  const auto& prims = geometry.primitives();
  ASSERT_EQ(prims.size(), 80u + 400u);
  int hits = 0;
  int partlyThrough = 0;
  for (int n = 0; n < 5000; ++n) {
    const Ray ray{RandomIn(r, -6.0f, 6.0f), RandomDirection(r)};
    const float reach = 4.0f * r.Next();

    // The nearest hit and what the first `reach` of the ray lets through, testing everything.
    float nearest = kNoHit;
    int object = -1;
    Vec3 through{1.0f, 1.0f, 1.0f};
    for (const Primitive& p : prims) {
      float u;
      float v;
      const float t = IntersectPrimitive(p, ray, 0.0f, kNoHit, u, v);
      if (t < nearest) nearest = t, object = p.object;
      for (int k = CountCrossings(p, ray, 0.0f, reach); k > 0; --k) through *= Tint(scene, p.object);
    }
    for (const PlaneSurface& plane : geometry.planes()) {
      const float t = (plane.offset - Dot(plane.normal, ray.origin)) / Dot(plane.normal, ray.direction);
      if (t > 0.0f && t < nearest) nearest = t, object = plane.object;
      if (t > 0.0f && t < reach) through *= Tint(scene, plane.object);
    }

    const Hit hit = geometry.Intersect(ray, kNoHit);
    ASSERT_EQ(hit.t, nearest) << "ray " << n;
    if (hit.t != kNoHit) {
      ++hits;
      EXPECT_EQ(geometry.Surface(ray, hit).object, object) << "ray " << n;
    }
    // The hierarchy multiplies in another order: equal to rounding.
    const Vec3 got = geometry.Transmittance(ray, reach, -1);
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(got[k], through[k], 1e-5f) << "ray " << n << " channel " << k;
    if (!IsBlack(through) && through.x < 1.0f) ++partlyThrough;
  }
  EXPECT_GT(hits, 2500);
  EXPECT_GT(partlyThrough, 100);
}

}  // namespace
}  // namespace zurender
