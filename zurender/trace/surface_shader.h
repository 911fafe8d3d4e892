// The shading model: lights with shadows, ambient occlusion, reflections, refraction and fog,
// for camera rays and, recursively, for the secondary rays they spawn.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "zurender/scene/scene.h"
#include "zurender/trace/geometry.h"
#include "zurender/trace/pixel_shade.h"
#include "zurender/trace/sampling.h"
#include "zurender/trace/shading_model.h"

namespace zurender {

// The mutable state of shading one pixel; lives on the caller's stack.
struct ShadeContext {
  explicit ShadeContext(int x, int y) : random(x, y) {}
  PixelRandom random;
  std::uint64_t rays = 0;
};

// How a ray came to the point being shaded.
struct PathPoint {
  int depth = 0;          // 0 for the camera ray
  float weight = 1.0f;    // how much the point can still change the pixel (largest channel)
  float distance = 0.0f;  // travelled from the camera to the ray's origin
};

class SurfaceShader {
 public:
  // scene must outlive the shader; its material indices must be valid.
  SurfaceShader(const Scene& scene, const Geometry& geometry, float pixelSpread);

  int LightCount() const { return static_cast<int>(lights_.size()); }
  const float* LightColour(int i) const { return lights_[static_cast<std::size_t>(i)].colour.data(); }

  // Shades the point the ray hit. samples, when not null, receives LightCount() samples: the
  // ones the shadowed light was summed from.
  ShadingComponents Shade(const Ray& ray, const Hit& hit, const PathPoint& path, ShadeContext& context,
                          LightSample* samples) const;

  // The colour a secondary ray brings back, with the fog of its own length: what the surface
  // it hits shows, or the environment when it escapes.
  Vec3 Radiance(const Ray& ray, const PathPoint& path, ShadeContext& context) const;

 private:
  struct Light {
    Vec3 position;
    std::array<float, 3> colour;  // colour x intensity: the light record's colour
    bool falloff;
    float falloffDistance;
  };
  // The point being shaded, with its normals turned to face the arriving ray.
  struct Facing {
    SurfacePoint surface;
    Vec3 geometric;
    Vec3 normal;
    Vec3 view;      // towards where the ray came from
    bool entering;  // the ray arrived on the outer side of the surface
  };

  void ShadeLights(const Facing& f, const Material& m, ShadeContext& context, ShadingComponents& out,
                   LightSample* samples) const;
  Vec3 Ambient(const Facing& f, int depth, ShadeContext& context) const;
  Vec3 TraceReflection(const Facing& f, const Material& m, Vec3 direction, Vec3 weight, const PathPoint& next,
                       ShadeContext& context) const;

  const Scene& scene_;
  const Geometry& geometry_;
  float pixelSpread_;
  std::vector<Light> lights_;
};

}  // namespace zurender
