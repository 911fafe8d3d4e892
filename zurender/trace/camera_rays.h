// Rays from the camera through pixel centres. Pixel (0, 0) is the top-left one.
#pragma once

#include "zurender/scene/scene.h"
#include "zurender/trace/ray.h"

namespace zurender {

class CameraRays {
 public:
  CameraRays(const Camera& camera, int width, int height);

  Ray Through(int x, int y) const;
  // The angle one pixel spans, in radians: a pixel's width at distance d is about d * spread.
  float pixelSpread() const { return spread_; }

 private:
  Vec3 origin_;
  Vec3 forward_;
  Vec3 right_;  // one image half-width across, in view units
  Vec3 up_;     // one image half-height up
  float inverseWidth_;
  float inverseHeight_;
  float spread_;
};

}  // namespace zurender
