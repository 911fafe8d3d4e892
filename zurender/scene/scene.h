// Everything the tracer renders: camera, lights, surroundings, materials and objects.
// Right-handed world, y up, lengths in world units (think metres).
#pragma once

#include <string>
#include <vector>

#include "zurender/scene/environment.h"
#include "zurender/scene/material.h"
#include "zurender/scene/shapes.h"
#include "zurender/scene/vec3.h"

namespace zurender {

struct Camera {
  Vec3 position{0.0f, 1.0f, 5.0f};
  Vec3 lookAt{0.0f, 1.0f, 0.0f};
  Vec3 up{0.0f, 1.0f, 0.0f};
  float fovDegrees = 50.0f;  // vertical field of view, between 1 and 179
};

// Fog along the camera ray: the fraction 1 - exp(-density * distance) of a pixel is fog colour.
struct Fog {
  Vec3 colour{0.7f, 0.7f, 0.7f};
  float density = 0.0f;  // per world unit; 0 for no fog
};

struct PointLight {
  Vec3 position{0.0f, 3.0f, 0.0f};
  Vec3 colour{1.0f, 1.0f, 1.0f};
  float intensity = 1.0f;
  // Inverse-square falloff, full strength at falloffDistance: the light factor is multiplied by
  // (falloffDistance / distance)^2.
  bool falloff = false;
  float falloffDistance = 1.0f;
};

struct Object {
  std::string name;  // for messages; may be empty
  Shape shape;
  int material = 0;  // index into Scene::materials
  int mask = 0;      // mask number, 0 for none
};

struct Scene {
  Camera camera;
  Vec3 ambient{0.05f, 0.05f, 0.05f};  // ambient light colour
  // Ambient occlusion looks this far for blockers; farther surfaces do not darken the ambient.
  float ambientDistance = 1.5f;
  Fog fog;
  Environment environment = DefaultEnvironment(Environment::Style::kStudio);
  std::vector<PointLight> lights;
  std::vector<Material> materials;  // never empty once loaded: objects refer to them by index
  std::vector<Object> objects;
  std::vector<std::string> meshFiles;  // the files its meshes were read from, each once
};

}  // namespace zurender
