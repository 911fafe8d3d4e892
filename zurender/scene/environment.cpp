#include "zurender/scene/environment.h"

#include <algorithm>
#include <cmath>

namespace zurender {
namespace {

// Panels and the sun get soft edges this many degrees wide, so that their reflections in curved
// surfaces do not stair-step at one sample per pixel.
constexpr float kEdgeDegrees = 1.5f;

float SmoothStep(float edge0, float edge1, float x) {
  const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
  return t * t * (3.0f - 2.0f * t);
}

Vec3 Mix(Vec3 a, Vec3 b, float t) { return a * (1.0f - t) + b * t; }

// Difference of two azimuths folded into -180..180.
float AzimuthDelta(float a, float b) {
  float d = std::fmod(a - b, 360.0f);
  if (d > 180.0f) d -= 360.0f;
  if (d < -180.0f) d += 360.0f;
  return d;
}

float PanelCover(const EnvironmentPanel& panel, float azimuth, float elevation) {
  const float du = std::fabs(AzimuthDelta(azimuth, panel.azimuthDegrees)) - 0.5f * panel.widthDegrees;
  const float dv = std::fabs(elevation - panel.elevationDegrees) - 0.5f * panel.heightDegrees;
  return (1.0f - SmoothStep(-kEdgeDegrees, 0.0f, du)) * (1.0f - SmoothStep(-kEdgeDegrees, 0.0f, dv));
}

Vec3 Gradient(const Environment& env, float elevation, float sinElevation) {
  if (sinElevation >= 0.0f) {
    const Vec3 sky = Mix(env.horizon, env.zenith, std::pow(sinElevation, 0.5f));
    return sky + Splat(env.horizonGlow * (1.0f - SmoothStep(0.0f, 4.0f, elevation)));
  }
  const Vec3 below = Mix(env.horizon * 0.5f, env.ground, std::pow(-sinElevation, 0.35f));
  return below + Splat(env.horizonGlow * 0.5f * (1.0f - SmoothStep(0.0f, 1.5f, -elevation)));
}

Vec3 Sun(const Environment& env, Vec3 direction) {
  if (IsBlack(env.sunColour)) return {};
  const float az = Radians(env.sunAzimuthDegrees + env.rotateYDegrees);
  const float el = Radians(env.sunElevationDegrees);
  const Vec3 toSun{std::sin(az) * std::cos(el), std::sin(el), -std::cos(az) * std::cos(el)};
  const float angle = std::acos(std::clamp(Dot(direction, toSun), -1.0f, 1.0f)) * (180.0f / kPi);
  const float radius = 0.5f * env.sunSizeDegrees;
  const float disc = 1.0f - SmoothStep(radius, radius + 0.5f * kEdgeDegrees, angle);
  const float halo = 0.08f * std::exp(-angle / 8.0f);
  return env.sunColour * (disc + halo);
}

}  // namespace

Environment DefaultEnvironment(Environment::Style style) {
  Environment env;
  env.style = style;
  switch (style) {
    case Environment::Style::kStudio:
      // An overhead softbox, two tall strips either side and a warm kicker low behind.
      env.panels = {{0.0f, 65.0f, 70.0f, 25.0f, {5.0f, 5.0f, 5.0f}},
                    {-70.0f, 25.0f, 14.0f, 40.0f, {3.5f, 3.6f, 4.0f}},
                    {75.0f, 25.0f, 14.0f, 40.0f, {3.5f, 3.6f, 4.0f}},
                    {180.0f, 12.0f, 50.0f, 10.0f, {3.0f, 2.2f, 1.4f}}};
      break;
    case Environment::Style::kSky:
      env.zenith = {0.12f, 0.30f, 0.75f};
      env.horizon = {0.70f, 0.80f, 0.92f};
      env.ground = {0.18f, 0.16f, 0.13f};
      env.horizonGlow = 0.25f;
      env.sunColour = {20.0f, 18.0f, 14.0f};
      break;
    case Environment::Style::kUniform:
      break;
  }
  return env;
}

Vec3 EnvironmentColour(const Environment& env, Vec3 direction) {
  if (env.style == Environment::Style::kUniform) return env.colour;
  const float sinElevation = std::clamp(direction.y, -1.0f, 1.0f);
  const float elevation = std::asin(sinElevation) * (180.0f / kPi);
  const float azimuth = std::atan2(direction.x, -direction.z) * (180.0f / kPi) - env.rotateYDegrees;
  Vec3 colour = Gradient(env, elevation, sinElevation);
  for (const EnvironmentPanel& panel : env.panels) {
    const float cover = PanelCover(panel, azimuth, elevation);
    if (cover > 0.0f) colour = Mix(colour, panel.colour, cover);
  }
  if (env.style == Environment::Style::kSky) colour += Sun(env, direction);
  return colour;
}

}  // namespace zurender
