// Random numbers and directions for the ambient and glossy rays. Each pixel seeds its own
// generator from its coordinates, so a pixel's result never depends on which thread shaded it
// or on what was shaded before.
#pragma once

#include <cmath>
#include <cstdint>

#include "zurender/scene/vec3.h"

namespace zurender {

class PixelRandom {
 public:
  PixelRandom(int x, int y) {
    std::uint32_t h =
        static_cast<std::uint32_t>(x) * 0x9e3779b1u ^ (static_cast<std::uint32_t>(y) + 0x632be5abu) * 0x85ebca77u;
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    state_ = h;
  }

  // Uniform in [0, 1).
  float Next() {
    // PCG's output permutation on a linear congruential step.
    state_ = state_ * 747796405u + 2891336453u;
    std::uint32_t word = ((state_ >> ((state_ >> 28u) + 4u)) ^ state_) * 277803737u;
    word = (word >> 22u) ^ word;
    return static_cast<float>(word >> 8) * (1.0f / 16777216.0f);
  }

 private:
  std::uint32_t state_;
};

// Two unit vectors that make a right-handed frame with the unit normal n.
inline void Tangents(Vec3 n, Vec3& t, Vec3& b) {
  const float sign = std::copysign(1.0f, n.z);
  const float a = -1.0f / (sign + n.z);
  const float c = n.x * n.y * a;
  t = {1.0f + sign * n.x * n.x * a, sign * c, -sign * n.x};
  b = {c, sign + n.y * n.y * a, -n.y};
}

// A direction about axis with density proportional to cos(angle)^exponent; u1, u2 in [0, 1).
inline Vec3 PowerCosineDirection(Vec3 axis, float exponent, float u1, float u2) {
  const float cosTheta = exponent == 1.0f ? std::sqrt(1.0f - u1) : std::pow(1.0f - u1, 1.0f / (exponent + 1.0f));
  const float sin2Theta = 1.0f - cosTheta * cosTheta;
  const float sinTheta = sin2Theta > 0.0f ? std::sqrt(sin2Theta) : 0.0f;
  const float phi = 2.0f * kPi * u2;
  Vec3 t;
  Vec3 b;
  Tangents(axis, t, b);
  return t * (sinTheta * std::cos(phi)) + b * (sinTheta * std::sin(phi)) + axis * cosTheta;
}

}  // namespace zurender
