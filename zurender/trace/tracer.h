// Shades pixels of a scene for the application: one call per pixel, from any number of threads.
#pragma once

#include <cstdint>

#include "zurender/scene/scene.h"
#include "zurender/trace/camera_rays.h"
#include "zurender/trace/geometry.h"
#include "zurender/trace/pixel_shade.h"
#include "zurender/trace/surface_shader.h"

namespace zurender {

// Const and thread-safe after construction; starts no threads. A pixel's result depends only on
// the scene, the image size and the pixel: one ray through its centre, and random numbers seeded
// from its coordinates.
class Tracer {
 public:
  // Copies what it needs from scene and builds the hierarchy. Objects whose material index is
  // out of range are shown in a plain grey material.
  Tracer(const Scene& scene, int width, int height);
  Tracer(const Tracer&) = delete;
  Tracer& operator=(const Tracer&) = delete;

  int LightCount() const;
  // The colour the light record carries for light i (colour x intensity): the plug-in multiplies
  // the factor by it, so it is the same colour the shading uses.
  const float* LightColour(int i) const;

  // Shades pixel (x, y): fills shade and lights[0 .. LightCount()-1]; adds the rays it cast to rays.
  void Shade(int x, int y, PixelShade& shade, LightSample* lights, std::uint64_t& rays) const;

 private:
  Scene scene_;
  Geometry geometry_;
  CameraRays camera_;
  SurfaceShader shader_;
};

}  // namespace zurender
