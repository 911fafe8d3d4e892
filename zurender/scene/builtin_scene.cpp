#include "zurender/scene/builtin_scene.h"

#include <string>

namespace zurender {
namespace {

// The room's inside: x from -3 to 3, y from 0 (floor) to 3, z from -4 (back wall) to 4.
constexpr float kHalfWidth = 3.0f;
constexpr float kHeight = 3.0f;
constexpr float kHalfDepth = 4.0f;

class SceneBuilder {
 public:
  explicit SceneBuilder(Scene& scene) : scene_(scene) {}

  int AddMaterial(Material m) {
    scene_.materials.push_back(std::move(m));
    return static_cast<int>(scene_.materials.size()) - 1;
  }
  void Add(std::string name, Shape shape, int material, int mask = 0) {
    scene_.objects.push_back({std::move(name), std::move(shape), material, mask});
  }
  void AddWall(std::string name, Vec3 point, Vec3 inwardNormal, int material) {
    Add(std::move(name), Plane{point, inwardNormal}, material);
  }

 private:
  Scene& scene_;
};

Material Matte(const char* name, Vec3 colour) {
  Material m;
  m.name = name;
  m.diffuse = colour;
  return m;
}

void AddRoom(SceneBuilder& b) {
  Material floor = Matte("floor", {0.80f, 0.76f, 0.68f});
  floor.texture.kind = Texture::Kind::kChecker;
  floor.texture.space = Texture::Space::kXZ;
  floor.texture.colour = {0.16f, 0.15f, 0.15f};
  floor.texture.size = 0.5f;
  floor.specular = {0.25f, 0.25f, 0.25f};
  floor.shininess = 60.0f;
  floor.reflectivity = 0.08f;  // a polished floor that shows the objects faintly
  const int floorM = b.AddMaterial(floor);
  const int ceiling = b.AddMaterial(Matte("ceiling", {0.85f, 0.85f, 0.83f}));
  const int back = b.AddMaterial(Matte("back wall", {0.42f, 0.50f, 0.60f}));
  const int side = b.AddMaterial(Matte("side walls", {0.70f, 0.58f, 0.45f}));
  const int front = b.AddMaterial(Matte("front wall", {0.55f, 0.64f, 0.50f}));

  b.AddWall("floor", {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, floorM);
  b.AddWall("ceiling", {0.0f, kHeight, 0.0f}, {0.0f, -1.0f, 0.0f}, ceiling);
  b.AddWall("back wall", {0.0f, 0.0f, -kHalfDepth}, {0.0f, 0.0f, 1.0f}, back);
  b.AddWall("front wall", {0.0f, 0.0f, kHalfDepth}, {0.0f, 0.0f, -1.0f}, front);
  b.AddWall("left wall", {-kHalfWidth, 0.0f, 0.0f}, {1.0f, 0.0f, 0.0f}, side);
  b.AddWall("right wall", {kHalfWidth, 0.0f, 0.0f}, {-1.0f, 0.0f, 0.0f}, side);
}

void AddFurniture(SceneBuilder& b) {
  Material clay = Matte("terracotta", {0.74f, 0.30f, 0.18f});
  b.Add("matte box", Box{{-2.0f, 0.0f, -1.7f}, {-1.1f, 0.8f, -0.8f}, 28.0f}, b.AddMaterial(clay), 1);

  Material glossy = Matte("blue lacquer", {0.08f, 0.16f, 0.55f});
  glossy.specular = {0.9f, 0.9f, 0.9f};
  glossy.shininess = 90.0f;
  glossy.reflectivity = 0.15f;
  glossy.bitmapReflection = 0.35f;
  b.Add("glossy ball", Sphere{{-0.35f, 0.6f, -2.0f}, 0.6f}, b.AddMaterial(glossy), 2);

  Material glass = Matte("green glass", {0.9f, 0.9f, 0.9f});
  glass.transparency = 0.92f;
  glass.ior = 1.5f;
  glass.transmissionColour = {0.70f, 0.95f, 0.82f};  // tints what is seen through it and its shadow
  glass.specular = {1.0f, 1.0f, 1.0f};
  glass.shininess = 250.0f;
  glass.bitmapReflection = 0.08f;
  b.Add("glass ball", Sphere{{0.85f, 0.5f, -0.7f}, 0.5f}, b.AddMaterial(glass), 3);

  // A standing mirror in a dark frame at the back left, turned towards the right of the room: it
  // shows the glass ball and the orb from another side.
  Material mirror = Matte("mirror", {0.03f, 0.03f, 0.03f});
  mirror.reflectivity = 0.9f;
  mirror.bitmapReflection = 0.06f;
  mirror.specular = {0.6f, 0.6f, 0.6f};
  mirror.shininess = 400.0f;
  Material frame = Matte("frame", {0.12f, 0.08f, 0.06f});
  frame.specular = {0.3f, 0.3f, 0.3f};
  frame.shininess = 40.0f;
  // Both boxes have the same centre, so the one turn keeps the glass just proud of the frame.
  b.Add("mirror frame", Box{{-2.8f, 0.0f, -2.92f}, {-1.4f, 2.0f, -2.88f}, 35.0f}, b.AddMaterial(frame));
  b.Add("mirror", Box{{-2.72f, 0.1f, -2.93f}, {-1.48f, 1.9f, -2.87f}, 35.0f}, b.AddMaterial(mirror));

  // A glowing orb on a pedestal; the pedestal's light exponent of 2 gives it a harder terminator.
  Material stone = Matte("pedestal", {0.80f, 0.78f, 0.72f});
  stone.lightExponent = 2.0f;
  b.Add("pedestal", Box{{1.55f, 0.0f, 0.35f}, {2.05f, 0.7f, 0.85f}, 15.0f}, b.AddMaterial(stone));
  Material orb = Matte("orb", {0.9f, 0.6f, 0.3f});
  orb.luminance = {1.0f, 0.55f, 0.18f};
  b.Add("orb", Sphere{{1.8f, 0.92f, 0.6f}, 0.22f}, b.AddMaterial(orb));

  // A paper screen with a lamp behind it: the light shows through the paper (back-lit).
  Material paper = Matte("paper", {0.86f, 0.82f, 0.72f});
  paper.backLight = {0.95f, 0.80f, 0.55f};
  b.Add("paper screen", Box{{1.0f, 0.0f, -3.02f}, {2.4f, 2.0f, -2.98f}, -18.0f}, b.AddMaterial(paper));
}

void AddLights(Scene& scene) {
  // Key: warm white from above the camera's left. Fill: blue from the right.
  scene.lights.push_back({{-2.2f, 2.6f, 0.8f}, {1.0f, 0.95f, 0.86f}, 0.7f, false, 1.0f});
  scene.lights.push_back({{2.5f, 2.3f, 1.0f}, {0.45f, 0.60f, 1.0f}, 0.3f, false, 1.0f});
  // The lamp behind the paper screen, fading with distance.
  scene.lights.push_back({{1.7f, 1.2f, -3.5f}, {1.0f, 0.72f, 0.42f}, 0.35f, true, 0.6f});
}

}  // namespace

Scene BuiltInScene() {
  Scene scene;
  scene.camera = {{0.0f, 1.5f, 3.5f}, {0.0f, 0.9f, -1.0f}, {0.0f, 1.0f, 0.0f}, 58.0f};
  scene.ambient = {0.07f, 0.07f, 0.08f};
  scene.ambientDistance = 1.2f;
  scene.fog = {{0.60f, 0.63f, 0.68f}, 0.02f};
  scene.environment = DefaultEnvironment(Environment::Style::kStudio);
  SceneBuilder builder(scene);
  AddRoom(builder);
  AddFurniture(builder);
  AddLights(scene);
  return scene;
}

}  // namespace zurender
