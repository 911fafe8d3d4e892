#include "zurender/trace/camera_rays.h"

#include <algorithm>
#include <cmath>

namespace zurender {

CameraRays::CameraRays(const Camera& camera, int width, int height) : origin_(camera.position) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  forward_ = Normalize(camera.lookAt - camera.position);
  const Vec3 right = Normalize(Cross(forward_, camera.up));
  const Vec3 up = Cross(right, forward_);
  const float halfHeight = std::tan(Radians(camera.fovDegrees) * 0.5f);
  const float aspect = static_cast<float>(width) / static_cast<float>(height);
  right_ = right * (halfHeight * aspect);
  up_ = up * halfHeight;
  inverseWidth_ = 1.0f / static_cast<float>(width);
  inverseHeight_ = 1.0f / static_cast<float>(height);
  spread_ = 2.0f * halfHeight * inverseHeight_;
}

Ray CameraRays::Through(int x, int y) const {
  // One sample per pixel, through its centre.
  const float sx = (2.0f * (static_cast<float>(x) + 0.5f)) * inverseWidth_ - 1.0f;
  const float sy = 1.0f - (2.0f * (static_cast<float>(y) + 0.5f)) * inverseHeight_;
  return {origin_, Normalize(forward_ + right_ * sx + up_ * sy)};
}

}  // namespace zurender
