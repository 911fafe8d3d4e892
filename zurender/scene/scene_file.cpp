#include "zurender/scene/scene_file.h"

#include <filesystem>
#include <map>
#include <new>

#include "zurender/scene/json_fields.h"
#include "zurender/scene/obj_mesh.h"
#include "zurender/base/file_reading.h"
#include "zurender/base/json_document.h"

namespace zurender {
namespace {

using nlohmann::json;

constexpr char kDefaultMaterial[] = "default";
constexpr int kLargestMask = 0x7fffffff;  // the plug-in keeps a mask number as a signed 32-bit word

std::string Index(const std::string& path, std::size_t i) { return path + "[" + std::to_string(i) + "]"; }

class SceneReader {
 public:
  SceneReader(const std::string& fileName, std::string meshDir, const MeshFileReader& readMesh)
      : errors_(fileName), meshDir_(std::move(meshDir)), readMesh_(readMesh) {}

  Result<Scene> Read(const json& root) {
    JsonFields top(root, "", errors_);
    if (const json* v = top.Get("camera")) ReadCamera(*v);
    top.Colour("ambient", scene_.ambient);
    top.NumberAbove("ambientDistance", scene_.ambientDistance, 0.0f, kLargestValue);
    if (const json* v = top.Get("fog")) ReadFog(*v);
    if (const json* v = top.Get("environment")) ReadEnvironment(*v);
    if (const json* v = top.Get("lights"))
      ForEach(*v, "lights", [&](const json& e, const std::string& p) { ReadLight(e, p); });
    if (const json* v = top.Get("materials")) ReadMaterials(*v);
    if (const json* v = top.Get("objects"))
      ForEach(*v, "objects", [&](const json& e, const std::string& p) { ReadObject(e, p); });
    top.RejectUnknownKeys();
    if (errors_.failed()) return Status::Error(errors_.message());
    return std::move(scene_);
  }

 private:
  template <typename F>
  void ForEach(const json& array, const std::string& path, F read) {
    if (!array.is_array()) return errors_.Report(path, "expected an array");
    for (std::size_t i = 0; i < array.size() && !errors_.failed(); ++i) read(array[i], Index(path, i));
  }

  void ReadCamera(const json& value) {
    Camera& c = scene_.camera;
    JsonFields f(value, "camera", errors_);
    f.Point("position", c.position);
    f.Point("lookAt", c.lookAt);
    f.Direction("up", c.up);
    f.Number("fov", c.fovDegrees, 1.0f, 179.0f);
    f.RejectUnknownKeys();
    if (errors_.failed()) return;
    const Vec3 view = c.lookAt - c.position;
    if (!(Length(view) > 1e-6f)) return errors_.Report("camera.lookAt", "must differ from camera.position");
    if (Length(Cross(Normalize(view), c.up)) < 1e-3f) {
      errors_.Report("camera.up", "must not point along the viewing direction");
    }
  }

  void ReadFog(const json& value) {
    JsonFields f(value, "fog", errors_);
    f.Colour("colour", scene_.fog.colour);
    f.Number("density", scene_.fog.density, 0.0f, 1000.0f);
    f.RejectUnknownKeys();
  }

  void ReadEnvironment(const json& value) {
    JsonFields f(value, "environment", errors_);
    int style = 0;
    f.Choice("style", style, {"studio", "sky", "uniform"});
    Environment& e = scene_.environment;
    e = DefaultEnvironment(static_cast<Environment::Style>(style));
    f.Colour("zenith", e.zenith);
    f.Colour("horizon", e.horizon);
    f.Colour("ground", e.ground);
    f.Number("horizonGlow", e.horizonGlow, 0.0f, kLargestValue);
    if (const json* v = f.Get("panels")) {
      e.panels.clear();
      ForEach(*v, "environment.panels", [&](const json& p, const std::string& path) { ReadPanel(p, path); });
    }
    f.Colour("sunColour", e.sunColour);
    f.Number("sunAzimuth", e.sunAzimuthDegrees, -360.0f, 360.0f);
    f.Number("sunElevation", e.sunElevationDegrees, -90.0f, 90.0f);
    f.NumberAbove("sunSize", e.sunSizeDegrees, 0.0f, 90.0f);
    f.Colour("colour", e.colour);
    f.Number("rotateY", e.rotateYDegrees, -360.0f, 360.0f);
    f.RejectUnknownKeys();
  }

  void ReadPanel(const json& value, const std::string& path) {
    EnvironmentPanel p;
    JsonFields f(value, path, errors_);
    f.Number("azimuth", p.azimuthDegrees, -360.0f, 360.0f);
    f.Number("elevation", p.elevationDegrees, -90.0f, 90.0f);
    f.NumberAbove("width", p.widthDegrees, 0.0f, 360.0f);
    f.NumberAbove("height", p.heightDegrees, 0.0f, 180.0f);
    f.Colour("colour", p.colour);
    f.RejectUnknownKeys();
    scene_.environment.panels.push_back(p);
  }

  void ReadLight(const json& value, const std::string& path) {
    PointLight l;
    JsonFields f(value, path, errors_);
    f.Point("position", l.position);
    f.Colour("colour", l.colour);
    f.Number("intensity", l.intensity, 0.0f, kLargestValue);
    f.Bool("falloff", l.falloff);
    f.NumberAbove("falloffDistance", l.falloffDistance, 0.0f, kLargestValue);
    f.RejectUnknownKeys();
    scene_.lights.push_back(l);
  }

  void ReadMaterials(const json& value) {
    if (!value.is_object()) return errors_.Report("materials", "expected an object of named materials");
    for (const auto& item : value.items()) {
      if (errors_.failed()) return;
      const std::string path = "materials." + item.key();
      Material m;
      m.name = item.key();
      ReadMaterial(item.value(), path, m);
      materialIndex_[m.name] = static_cast<int>(scene_.materials.size());
      scene_.materials.push_back(std::move(m));
    }
  }

  void ReadMaterial(const json& value, const std::string& path, Material& m) {
    JsonFields f(value, path, errors_);
    f.Colour("diffuse", m.diffuse);
    if (const json* v = f.Get("texture")) ReadTexture(*v, path + ".texture", m.texture);
    f.Colour("specular", m.specular);
    f.NumberAbove("shininess", m.shininess, 0.0f, 10000.0f);
    f.Number("reflectivity", m.reflectivity, 0.0f, 1.0f);
    f.Colour("reflectionColour", m.reflectionColour);
    f.Number("glossiness", m.glossiness, 0.0f, 1.0f);
    f.Number("bitmapReflection", m.bitmapReflection, 0.0f, 1.0f);
    f.Number("transparency", m.transparency, 0.0f, 1.0f);
    f.Number("ior", m.ior, 0.1f, 10.0f);
    f.Colour("transmissionColour", m.transmissionColour);
    f.Colour("luminance", m.luminance);
    f.Colour("backLight", m.backLight);
    f.NumberAbove("lightExponent", m.lightExponent, 0.0f, 100.0f);
    f.RejectUnknownKeys();
  }

  void ReadTexture(const json& value, const std::string& path, Texture& t) {
    JsonFields f(value, path, errors_);
    if (!f.Has("type")) return errors_.Report(f.KeyPath("type"), "missing: expected \"checker\" or \"tiles\"");
    int kind = 0;
    f.Choice("type", kind, {"checker", "tiles"});
    t.kind = kind == 0 ? Texture::Kind::kChecker : Texture::Kind::kTiles;
    int space = 1;
    f.Choice("space", space, {"world", "xz", "xy", "yz"});
    t.space = static_cast<Texture::Space>(space);
    f.Colour("colour", t.colour);
    f.NumberAbove("size", t.size, 0.0f, kLargestValue);
    f.Number("groove", t.groove, 0.0f, 0.5f);
    f.Number("variation", t.variation, 0.0f, 1.0f);
    f.RejectUnknownKeys();
  }

  int MaterialFor(JsonFields& f) {
    std::string name = kDefaultMaterial;
    f.String("material", name);
    if (errors_.failed()) return 0;
    const auto found = materialIndex_.find(name);
    if (found != materialIndex_.end()) return found->second;
    if (name != kDefaultMaterial) {
      errors_.Report(f.KeyPath("material"), "unknown material \"" + name + "\"");
      return 0;
    }
    // Objects that name no material are plain grey, unless the file defines "default".
    Material grey;
    grey.name = kDefaultMaterial;
    materialIndex_[name] = static_cast<int>(scene_.materials.size());
    scene_.materials.push_back(grey);
    return materialIndex_[name];
  }

  void ReadObject(const json& value, const std::string& path) {
    JsonFields f(value, path, errors_);
    if (errors_.failed()) return;
    if (!f.Has("type"))
      return errors_.Report(f.KeyPath("type"), "missing: expected \"sphere\", \"plane\", \"box\" or \"mesh\"");
    Object object;
    int type = 0;
    f.Choice("type", type, {"sphere", "plane", "box", "mesh"});
    f.String("name", object.name);
    object.material = MaterialFor(f);
    f.Integer("mask", object.mask, 0, kLargestMask);
    switch (type) {
      case 0:
        object.shape = ReadSphere(f);
        break;
      case 1:
        object.shape = ReadPlane(f);
        break;
      case 2:
        object.shape = ReadBox(f);
        break;
      default:
        object.shape = ReadMesh(f);
        break;
    }
    f.RejectUnknownKeys();
    scene_.objects.push_back(std::move(object));
  }

  Sphere ReadSphere(JsonFields& f) {
    Sphere s;
    f.Point("centre", s.centre);
    f.NumberAbove("radius", s.radius, 0.0f, kLargestValue);
    return s;
  }

  Plane ReadPlane(JsonFields& f) {
    Plane p;
    f.Point("point", p.point);
    f.Direction("normal", p.normal);
    return p;
  }

  Box ReadBox(JsonFields& f) {
    Box b;
    f.Point("min", b.min);
    f.Point("max", b.max);
    f.Number("rotateY", b.rotateYDegrees, -360.0f, 360.0f);
    if (!errors_.failed() && !(b.min.x < b.max.x && b.min.y < b.max.y && b.min.z < b.max.z)) {
      errors_.Report(f.KeyPath("max"), "must be greater than min on every axis");
    }
    return b;
  }

  Mesh ReadMesh(JsonFields& f) {
    Mesh m;
    if (!f.Has("file")) {
      errors_.Report(f.KeyPath("file"), "missing: expected the path of an OBJ file");
      return m;
    }
    f.String("file", m.file);
    f.Scale("scale", m.scale);
    f.Number("rotateY", m.rotateYDegrees, -360.0f, 360.0f);
    f.Point("translate", m.translate);
    if (errors_.failed()) return m;
    const std::filesystem::path relative(m.file);
    const std::string path = relative.is_absolute() ? m.file : (std::filesystem::path(meshDir_) / relative).string();
    // One mesh file placed many times is one copy in memory.
    if (const auto read = meshes_.find(path); read != meshes_.end()) {
      m.data = read->second;
      return m;
    }
    Result<std::string> text = readMesh_ ? readMesh_(path, kMeshFileLimit) : ReadWholeFile(path, kMeshFileLimit);
    if (!text.ok()) {
      errors_.Report(f.KeyPath("file"), "cannot read mesh \"" + m.file + "\": " + text.message());
      return m;
    }
    Result<TriangleMesh> loaded = ParseObjMesh(text.value(), m.file);
    if (!loaded.ok()) {
      errors_.Report(f.KeyPath("file"), loaded.message());
      return m;
    }
    m.data = std::make_shared<const TriangleMesh>(std::move(loaded.value()));
    meshes_[path] = m.data;
    scene_.meshFiles.push_back(path);
    return m;
  }

  LoadErrors errors_;
  std::string meshDir_;
  const MeshFileReader& readMesh_;
  std::map<std::string, std::shared_ptr<const TriangleMesh>> meshes_;
  Scene scene_;
  std::map<std::string, int> materialIndex_;
};

}  // namespace

Result<Scene> ParseSceneText(const std::string& text, const std::string& fileName, const std::string& meshDir,
                             const MeshFileReader& readMesh) {
  try {
    Result<json> root = ParseJsonText(text);
    if (!root.ok()) return Status::Error(fileName + ": " + root.message());
    return SceneReader(fileName, meshDir, readMesh).Read(root.value());
  } catch (const std::bad_alloc&) {
    return Status::Error(fileName + ": out of memory while loading the scene");
  } catch (const std::exception& e) {
    return Status::Error(fileName + ": " + e.what());
  }
}

Result<Scene> LoadSceneFile(const std::string& path) {
  try {
    Result<std::string> text = ReadWholeFile(path, kSceneFileLimit);
    if (!text.ok()) return Status::Error(path + ": cannot read scene file: " + text.message());
    const std::string dir = std::filesystem::path(path).parent_path().string();
    return ParseSceneText(text.value(), path, dir.empty() ? "." : dir);
  } catch (const std::exception& e) {
    return Status::Error(path + ": " + e.what());
  }
}

}  // namespace zurender
