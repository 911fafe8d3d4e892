#include "zurender/trace/tracer.h"

namespace zurender {
namespace {

// A copy in which every object refers to a material that exists.
Scene WithValidMaterials(const Scene& scene) {
  Scene copy = scene;
  const int count = static_cast<int>(copy.materials.size());
  int fallback = -1;
  for (Object& object : copy.objects) {
    if (object.material >= 0 && object.material < count) continue;
    if (fallback < 0) {
      Material grey;
      grey.name = "default";
      copy.materials.push_back(grey);
      fallback = count;
    }
    object.material = fallback;
  }
  return copy;
}

ColourValue Opaque(Vec3 c) { return {1.0f, c.x, c.y, c.z}; }

}  // namespace

Tracer::Tracer(const Scene& scene, int width, int height)
    : scene_(WithValidMaterials(scene)),
      geometry_(scene_),
      camera_(scene_.camera, width, height),
      shader_(scene_, geometry_, camera_.pixelSpread()) {}

int Tracer::LightCount() const { return shader_.LightCount(); }

const float* Tracer::LightColour(int i) const { return shader_.LightColour(i); }

void Tracer::Shade(int x, int y, PixelShade& shade, LightSample* lights, std::uint64_t& rays) const {
  shade = PixelShade{};
  shade.lightExponent = 1.0f;
  ShadeContext context(x, y);
  const Ray ray = camera_.Through(x, y);
  ++context.rays;
  const Hit hit = geometry_.Intersect(ray, kNoHit);
  if (hit.t == kNoHit) {
    // Nothing there: every component zero with alpha 0, and no light reaches the pixel.
    shade.objectId = -1;
    for (int i = 0; lights != nullptr && i < LightCount(); ++i) lights[i] = {0.0f, 1, {0.0f, 0.0f, 0.0f}};
    rays += context.rays;
    return;
  }
  const ShadingComponents s = shader_.Shade(ray, hit, PathPoint{}, context, lights);
  const int object = geometry_.Surface(ray, hit).object;
  const Object& hitObject = scene_.objects[static_cast<std::size_t>(object)];
  const Material& material = scene_.materials[static_cast<std::size_t>(hitObject.material)];

  const Vec3 beforeFog = BeforeFog(s);
  const float phi = FogFraction(scene_.fog.density, hit.t);
  ColourValue* c = shade.component;
  c[kComponentDiffuse] = Opaque(s.diffuse);
  c[kComponentShadowedLight] = Opaque(s.shadowed);
  c[kComponentLuminance] = Opaque(s.luminance);
  c[kComponentSpecular] = Opaque(s.specular);
  c[kComponentAmbient] = Opaque(s.ambient);
  c[kComponentReflections] = Opaque(s.reflections);
  c[kComponentBitmapReflections] = Opaque(s.bitmap);
  c[kComponentRefractions] = Opaque(s.refractions);
  c[kComponentTransparency] = {1.0f, s.transparency, s.transmitted, s.transmitted};
  c[kComponentFog] = {phi, scene_.fog.colour.x, scene_.fog.colour.y, scene_.fog.colour.z};
  c[kComponentFinalRender] = Opaque(WithFog(beforeFog, phi, scene_.fog.colour));

  for (int k = 0; k < 3; ++k) shade.backLightColour[k] = material.backLight[k];
  shade.lightExponent = material.lightExponent;
  shade.transparencyFirst = s.transparency;
  shade.transparencySecond = s.transmitted;
  shade.objectId = object;
  shade.maskNumber = hitObject.mask;
  rays += context.rays;
}

}  // namespace zurender
