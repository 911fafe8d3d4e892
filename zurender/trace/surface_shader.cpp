#include "zurender/trace/surface_shader.h"

#include <algorithm>
#include <cmath>

#include "zurender/scene/texture.h"
#include "zurender/trace/light_sum.h"

namespace zurender {
namespace {

// Secondary rays stop at this depth, or sooner when they could change the pixel by less than
// kMinWeight.
constexpr int kMaxDepth = 6;
constexpr float kMinWeight = 0.01f;
// Ambient occlusion rays by depth, stratified on a side x side grid; glossy reflection rays by
// depth. Fewer deeper down, where a point is seen only through a reflection.
constexpr int kAmbientGridSide[] = {4, 2};
constexpr int kGlossyRays[] = {6, 1};
// New rays start this far (relative to the point's magnitude) off the surface they leave.
constexpr float kOffset = 1e-4f;

Vec3 Offset(Vec3 point, Vec3 side) {
  const float scale = std::max(1.0f, MaxComponent(Max(point, -point)));
  return point + side * (kOffset * scale);
}

// The fraction of light a smooth dielectric reflects; cosT receives the cosine of the
// transmitted ray, eta is the ratio of the indices (arriving side over far side).
float Fresnel(float cosI, float eta, float& cosT) {
  const float sin2T = eta * eta * (1.0f - cosI * cosI);
  if (sin2T >= 1.0f) return 1.0f;  // total internal reflection
  cosT = std::sqrt(1.0f - sin2T);
  const float rs = (eta * cosI - cosT) / (eta * cosI + cosT);
  const float rp = (cosI - eta * cosT) / (cosI + eta * cosT);
  return 0.5f * (rs * rs + rp * rp);
}

}  // namespace

SurfaceShader::SurfaceShader(const Scene& scene, const Geometry& geometry, float pixelSpread)
    : scene_(scene), geometry_(geometry), pixelSpread_(pixelSpread) {
  for (const PointLight& l : scene.lights) {
    lights_.push_back({l.position,
                       {l.colour.x * l.intensity, l.colour.y * l.intensity, l.colour.z * l.intensity},
                       l.falloff,
                       l.falloffDistance});
  }
}

Vec3 SurfaceShader::Radiance(const Ray& ray, const PathPoint& path, ShadeContext& context) const {
  ++context.rays;
  const Hit hit = geometry_.Intersect(ray, kNoHit);
  if (hit.t == kNoHit) {
    return WithFog(EnvironmentColour(scene_.environment, ray.direction), FogFraction(scene_.fog.density, kNoHit),
                   scene_.fog.colour);
  }
  const ShadingComponents s = Shade(ray, hit, path, context, nullptr);
  return WithFog(BeforeFog(s), FogFraction(scene_.fog.density, hit.t), scene_.fog.colour);
}

ShadingComponents SurfaceShader::Shade(const Ray& ray, const Hit& hit, const PathPoint& path, ShadeContext& context,
                                       LightSample* samples) const {
  Facing f;
  f.surface = geometry_.Surface(ray, hit);
  f.entering = Dot(ray.direction, f.surface.geometric) < 0.0f;
  f.geometric = f.entering ? f.surface.geometric : -f.surface.geometric;
  f.normal = f.entering ? f.surface.shading : -f.surface.shading;
  // An interpolated normal may lean past the surface; lighting then uses the true one.
  if (Dot(f.normal, f.geometric) <= 0.0f) f.normal = f.geometric;
  f.view = -ray.direction;
  const Material& m =
      scene_.materials[static_cast<std::size_t>(scene_.objects[static_cast<std::size_t>(f.surface.object)].material)];

  ShadingComponents out;
  const float distance = path.distance + hit.t;
  const float cosView = std::clamp(Dot(f.normal, f.view), 0.0f, 1.0f);
  // A pixel's footprint grows with distance and stretches where the surface is seen edge-on.
  const float footprint = distance * pixelSpread_ / std::max(cosView, 0.2f);
  out.diffuse = SurfaceColour(m, f.surface.point, footprint) * (1.0f - m.transparency);
  out.transparency = m.transparency;
  out.luminance = m.luminance;
  ShadeLights(f, m, context, out, samples);
  // Deeper down, a black surface's ambient changes nothing the pixel shows.
  if (path.depth == 0 || !IsBlack(out.diffuse)) out.ambient = Ambient(f, path.depth, context);

  // How the light divides at a transparent surface.
  float fresnel = 0.0f;
  float cosT = 0.0f;
  const float eta = f.entering ? 1.0f / m.ior : m.ior;
  if (m.transparency > 0.0f) fresnel = Fresnel(cosView, eta, cosT);
  out.transmitted = m.transparency * (1.0f - fresnel);

  Vec3 mirror = Reflect(ray.direction, f.normal);
  if (Dot(mirror, f.geometric) <= 0.0f) mirror = Reflect(ray.direction, f.geometric);
  const Vec3 reflectWeight = m.reflectionColour * m.reflectivity + Splat(m.transparency * fresnel);
  const bool deeper = path.depth + 1 < kMaxDepth;
  Vec3 traced;
  if (deeper && MaxComponent(reflectWeight) * path.weight >= kMinWeight) {
    const PathPoint next{path.depth + 1, path.weight * MaxComponent(reflectWeight), distance};
    traced = TraceReflection(f, m, mirror, reflectWeight, next, context);
  }
  if (m.bitmapReflection > 0.0f) out.bitmap = EnvironmentColour(scene_.environment, mirror) * m.bitmapReflection;
  out.reflections = traced + out.bitmap;

  const Vec3 transmitWeight = m.transmissionColour * out.transmitted;
  if (deeper && out.transmitted > 0.0f && MaxComponent(transmitWeight) * path.weight >= kMinWeight) {
    const Vec3 direction = Normalize(ray.direction * eta + f.normal * (eta * cosView - cosT));
    const PathPoint next{path.depth + 1, path.weight * MaxComponent(transmitWeight), distance};
    out.refractions = transmitWeight * Radiance({Offset(f.surface.point, -f.geometric), direction}, next, context);
  }
  return out;
}

void SurfaceShader::ShadeLights(const Facing& f, const Material& m, ShadeContext& context, ShadingComponents& out,
                                LightSample* samples) const {
  const SurfaceLighting lighting{m.backLight, m.lightExponent};
  const bool backLit = !IsBlack(m.backLight);
  const bool shiny = !IsBlack(m.specular);
  LightSums sums;
  for (std::size_t i = 0; i < lights_.size(); ++i) {
    const Light& light = lights_[i];
    LightSample sample{0.0f, 1, {0.0f, 0.0f, 0.0f}};
    const Vec3 toLight = light.position - f.surface.point;
    const float distance = Length(toLight);
    if (distance > 1e-6f) {
      const Vec3 direction = toLight * (1.0f / distance);
      const float falloff =
          light.falloff ? (light.falloffDistance * light.falloffDistance) / (distance * distance) : 1.0f;
      sample.factor = Dot(f.normal, direction) * falloff;
      const bool front = sample.factor > 0.0f;
      // Light from behind reaches a back-lit surface through its own body, so the shadow ray
      // then passes over the object itself; any other surface blocks what is behind it.
      if (front || backLit) {
        const Vec3 side = Dot(f.geometric, direction) >= 0.0f ? f.geometric : -f.geometric;
        const Vec3 through = geometry_.Transmittance({Offset(f.surface.point, side), direction}, distance,
                                                     front ? -1 : f.surface.object);
        ++context.rays;
        for (int k = 0; k < 3; ++k) sample.shadow[k] = light.colour[static_cast<std::size_t>(k)] * through[k];
        if (front && shiny) {
          const Vec3 half = Normalize(direction + f.view);
          const float highlight = std::pow(std::max(0.0f, Dot(f.normal, half)), m.shininess) * falloff;
          out.specular += m.specular * Vec3{sample.shadow[0], sample.shadow[1], sample.shadow[2]} * highlight;
        }
      }
    }
    if (samples != nullptr) samples[i] = sample;
    AddLightSample(sums, sample, light.colour.data(), lighting);
  }
  out.shadowed = sums.shadowed;
  out.unshadowed = sums.unshadowed;
}

Vec3 SurfaceShader::Ambient(const Facing& f, int depth, ShadeContext& context) const {
  if (IsBlack(scene_.ambient)) return {};
  if (depth >= 2) return scene_.ambient;
  // Cosine-weighted directions, one in each cell of a side x side grid of the unit square.
  const int side = kAmbientGridSide[depth];
  const float cell = 1.0f / static_cast<float>(side);
  const Vec3 origin = Offset(f.surface.point, f.geometric);
  Vec3 open;
  for (int i = 0; i < side; ++i) {
    for (int j = 0; j < side; ++j) {
      const float u1 = (static_cast<float>(i) + context.random.Next()) * cell;
      const float u2 = (static_cast<float>(j) + context.random.Next()) * cell;
      const Vec3 direction = PowerCosineDirection(f.normal, 1.0f, u1, u2);
      if (Dot(direction, f.geometric) <= 0.0f) continue;  // into the surface: blocked
      ++context.rays;
      open += geometry_.Transmittance({origin, direction}, scene_.ambientDistance, -1);
    }
  }
  return scene_.ambient * open * (1.0f / static_cast<float>(side * side));
}

Vec3 SurfaceShader::TraceReflection(const Facing& f, const Material& m, Vec3 direction, Vec3 weight,
                                    const PathPoint& next, ShadeContext& context) const {
  const Vec3 origin = Offset(f.surface.point, f.geometric);
  if (m.glossiness <= 0.0f) return weight * Radiance({origin, direction}, next, context);
  // A blurred reflection: the average of rays spread about the mirror direction, the wider the
  // glossier (a power-cosine lobe whose exponent falls as glossiness rises).
  const int count = kGlossyRays[std::min(next.depth - 1, 1)];
  const float exponent = std::max(1.0f, 2.0f / (m.glossiness * m.glossiness) - 2.0f);
  Vec3 sum;
  for (int i = 0; i < count; ++i) {
    const float u1 = (static_cast<float>(i) + context.random.Next()) / static_cast<float>(count);
    Vec3 d = PowerCosineDirection(direction, exponent, u1, context.random.Next());
    if (Dot(d, f.geometric) <= 0.0f) d = direction;
    sum += Radiance({origin, d}, next, context);
  }
  return weight * sum * (1.0f / static_cast<float>(count));
}

}  // namespace zurender
