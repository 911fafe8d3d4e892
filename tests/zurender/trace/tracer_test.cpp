#include "zurender/trace/tracer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <thread>
#include <vector>

#include "zurender/scene/builtin_scene.h"

namespace zurender {
namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 120;

struct ShadedPixel {
  PixelShade shade;
  std::vector<LightSample> lights;
};

// The built-in scene shaded once for the tests below.
struct Frame {
  Frame() : tracer(BuiltInScene(), kWidth, kHeight) {
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        ShadedPixel p;
        p.lights.resize(static_cast<std::size_t>(tracer.LightCount()));
        tracer.Shade(x, y, p.shade, p.lights.data(), rays);
        pixels.push_back(std::move(p));
      }
    }
  }
  Tracer tracer;
  std::vector<ShadedPixel> pixels;
  std::uint64_t rays = 0;
};

const Frame& BuiltInFrame() {
  static const Frame frame;
  return frame;
}

// The plug-in's shadowed light sum, written out from its definition rather than shared with the
// tracer: per light in order, float32, rounded after every operation.
Vec3 PluginShadowedSum(const Frame& f, const ShadedPixel& p, Vec3* unshadowed) {
  const float* back = p.shade.backLightColour;
  const float e = p.shade.lightExponent;
  const bool backLit = back[0] != 0.0f || back[1] != 0.0f || back[2] != 0.0f;
  float u[3] = {0.0f, 0.0f, 0.0f};
  float s[3] = {0.0f, 0.0f, 0.0f};
  for (std::size_t i = 0; i < p.lights.size(); ++i) {
    const LightSample& l = p.lights[i];
    const float* colour = f.tracer.LightColour(static_cast<int>(i));
    if (l.factor > 0.0f) {
      const float g = e == 1.0f ? l.factor : static_cast<float>(std::pow(double{l.factor}, double{e}));
      for (int k = 0; k < 3; ++k) u[k] += g * colour[k];
      if (l.shadowFlag) {
        for (int k = 0; k < 3; ++k) s[k] += g * l.shadow[k];
      }
    } else if (backLit && !std::isnan(l.factor)) {
      const float g = e == 1.0f ? -l.factor : static_cast<float>(std::pow(double{-l.factor}, double{e}));
      for (int k = 0; k < 3; ++k) u[k] += g * colour[k] * back[k];
      if (l.shadowFlag) {
        for (int k = 0; k < 3; ++k) s[k] += g * l.shadow[k] * back[k];
      }
    }
  }
  *unshadowed = {u[0], u[1], u[2]};
  return {s[0], s[1], s[2]};
}

Vec3 Rgb(const ColourValue& c) { return {c.red, c.green, c.blue}; }

bool SameBits(Vec3 a, Vec3 b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(TraceBuiltInScene, ComponentsFollowTheShadingModel) {
  const Frame& f = BuiltInFrame();
  for (std::size_t i = 0; i < f.pixels.size(); ++i) {
    const ShadedPixel& p = f.pixels[i];
    const ColourValue* c = p.shade.component;
    ASSERT_NE(p.shade.objectId, -1) << "pixel " << i << ": a camera ray left the room";
    Vec3 unshadowed;
    const Vec3 shadowed = PluginShadowedSum(f, p, &unshadowed);
    ASSERT_TRUE(SameBits(Rgb(c[kComponentShadowedLight]), shadowed)) << "pixel " << i;
    for (const LightSample& l : p.lights) ASSERT_EQ(l.shadowFlag, 1) << "pixel " << i;

    Vec3 before;
    for (int k = 1; k <= 3; ++k) {
      const float* d = &c[kComponentDiffuse].alpha;
      float v = d[k] * ((&c[kComponentShadowedLight].alpha)[k] + (&c[kComponentAmbient].alpha)[k]);
      v += (&c[kComponentSpecular].alpha)[k];
      v += (&c[kComponentLuminance].alpha)[k];
      v += (&c[kComponentReflections].alpha)[k];
      v += (&c[kComponentRefractions].alpha)[k];
      before[k - 1] = v;
    }
    const float phi = c[kComponentFog].alpha;
    ASSERT_GT(phi, 0.0f) << "pixel " << i;
    ASSERT_LT(phi, 1.0f) << "pixel " << i;
    Vec3 fogged;
    for (int k = 0; k < 3; ++k) fogged[k] = (1.0f - phi) * before[k] + phi * Rgb(c[kComponentFog])[k];
    ASSERT_TRUE(SameBits(Rgb(c[kComponentFinalRender]), fogged)) << "pixel " << i;

    for (int n = 1; n < kComponentSlots; ++n) {
      if (n != kComponentFog) {
        ASSERT_EQ(c[n].alpha, 1.0f) << "pixel " << i << " component " << n;
      }
    }
    ASSERT_EQ(c[kComponentTransparency].red, p.shade.transparencyFirst) << "pixel " << i;
    ASSERT_EQ(c[kComponentTransparency].green, p.shade.transparencySecond) << "pixel " << i;
    ASSERT_EQ(c[kComponentTransparency].blue, p.shade.transparencySecond) << "pixel " << i;
  }
}

TEST(TraceBuiltInScene, EveryComponentShowsSomewhere) {
  const Frame& f = BuiltInFrame();
  int traced = 0, bitmap = 0, refracted = 0, glowing = 0, highlit = 0, shadowed = 0, backLit = 0, transparent = 0,
      otherExponent = 0;
  int masks[4] = {0, 0, 0, 0};
  for (const ShadedPixel& p : f.pixels) {
    const ColourValue* c = p.shade.component;
    traced += c[kComponentReflections].green - c[kComponentBitmapReflections].green > 0.02f;
    bitmap += c[kComponentBitmapReflections].green > 0.02f;
    refracted += c[kComponentRefractions].green > 0.02f;
    glowing += c[kComponentLuminance].red > 0.02f;
    highlit += c[kComponentSpecular].green > 0.05f;
    transparent += p.shade.transparencyFirst > 0.5f && p.shade.transparencySecond > 0.5f;
    otherExponent += p.shade.lightExponent != 1.0f;
    if (p.shade.maskNumber >= 0 && p.shade.maskNumber < 4) ++masks[p.shade.maskNumber];
    Vec3 unshadowed;
    const Vec3 s = PluginShadowedSum(f, p, &unshadowed);
    shadowed += s.x < 0.5f * unshadowed.x;
    for (const LightSample& l : p.lights)
      backLit += l.factor < 0.0f && p.shade.backLightColour[0] > 0.0f && l.shadow[0] > 0.0f;
  }
  const int kSome = 20;
  EXPECT_GT(traced, kSome);
  EXPECT_GT(bitmap, kSome);
  EXPECT_GT(refracted, kSome);
  EXPECT_GT(glowing, kSome);
  EXPECT_GT(highlit, kSome);
  EXPECT_GT(shadowed, kSome);
  EXPECT_GT(backLit, kSome);
  EXPECT_GT(transparent, kSome);
  EXPECT_GT(otherExponent, kSome);
  for (int m = 1; m <= 3; ++m) EXPECT_GT(masks[m], kSome) << "mask " << m;
}

TEST(TraceBuiltInScene, ShadesTheSameBytesTwiceFromTwoThreads) {
  const Frame& f = BuiltInFrame();
  const Tracer again(BuiltInScene(), kWidth, kHeight);
  // Two threads at once on one tracer, each going backwards over every other row, so that
  // nothing can depend on what was shaded before or beside.
  std::vector<ShadedPixel> pixels(f.pixels.size());
  std::uint64_t rays[2] = {0, 0};
  const auto shadeRows = [&](int parity) {
    for (int i = static_cast<int>(pixels.size()) - 1; i >= 0; --i) {
      if ((i / kWidth) % 2 != parity) continue;
      ShadedPixel& p = pixels[static_cast<std::size_t>(i)];
      p.lights.resize(f.pixels[0].lights.size());
      again.Shade(i % kWidth, i / kWidth, p.shade, p.lights.data(), rays[parity]);
    }
  };
  std::thread odd(shadeRows, 1);
  shadeRows(0);
  odd.join();
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    const ShadedPixel& p = f.pixels[i];
    ASSERT_EQ(std::memcmp(&pixels[i].shade, &p.shade, sizeof p.shade), 0) << "pixel " << i;
    ASSERT_EQ(std::memcmp(pixels[i].lights.data(), p.lights.data(), p.lights.size() * sizeof(LightSample)), 0)
        << "pixel " << i;
  }
  EXPECT_EQ(rays[0] + rays[1], f.rays);
}

TEST(TraceTracer, CameraRayThatHitsNothing) {
  Scene scene;
  scene.materials.resize(1);
  scene.objects.push_back({"ball", Sphere{{0.0f, 1.0f, 0.0f}, 0.5f}, 0, 2});
  scene.lights.push_back({});
  scene.fog.density = 0.1f;
  const Tracer tracer(scene, 40, 30);
  PixelShade shade;
  LightSample light{};
  std::uint64_t rays = 0;
  tracer.Shade(0, 0, shade, &light, rays);
  EXPECT_EQ(shade.objectId, -1);
  EXPECT_EQ(shade.maskNumber, 0);
  const PixelShade zero{};
  EXPECT_EQ(std::memcmp(shade.component, zero.component, sizeof zero.component), 0);
  EXPECT_EQ(light.factor, 0.0f);
  EXPECT_EQ(rays, 1u);
  tracer.Shade(20, 15, shade, &light, rays);
  EXPECT_EQ(shade.objectId, 0);
  EXPECT_EQ(shade.maskNumber, 2);
}

}  // namespace
}  // namespace zurender
