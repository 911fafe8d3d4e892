// Scene files under libFuzzer, with their meshes. An input is a scene's JSON, then any number of
// mesh files, each after a line "--- NAME": a scene that names "meshes/a.obj" finds the text
// after "--- meshes/a.obj" in a file table in memory, so that mutations reach the OBJ reader
// through the scene. A scene that loads is then traced at 3x2 pixels, its answers checked.
#include <cmath>
#include <map>

#include "fuzz/fuzz_support.h"
#include "zurender/scene/scene_file.h"
#include "zurender/trace/geometry.h"
#include "zurender/trace/tracer.h"

namespace {

using namespace zurender;

constexpr char kMark[] = "\n--- ";
constexpr char kFolder[] = "scene";
// More than this is not traced: the fuzzer looks for mistakes, not for slow scenes.
constexpr std::uint64_t kMostGeometryBytes = std::uint64_t(8) << 20;
constexpr std::size_t kMostLights = 64;

std::map<std::string, std::string> Files(const std::string& text, std::string& scene) {
  std::map<std::string, std::string> files;
  std::size_t at = text.find(kMark);
  scene = text.substr(0, at);
  while (at != std::string::npos) {
    const std::size_t nameStart = at + sizeof kMark - 1;
    const std::size_t nameEnd = text.find('\n', nameStart);
    if (nameEnd == std::string::npos) break;
    const std::size_t next = text.find(kMark, nameEnd);
    files[std::string(kFolder) + "/" + text.substr(nameStart, nameEnd - nameStart)] =
        text.substr(nameEnd + 1, next == std::string::npos ? std::string::npos : next - nameEnd - 1);
    at = next;
  }
  return files;
}

bool Finite(const ColourValue& c) {
  return std::isfinite(c.alpha) && std::isfinite(c.red) && std::isfinite(c.green) && std::isfinite(c.blue);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string sceneText;
  const std::map<std::string, std::string> files = Files(fuzz::Text(data, size), sceneText);
  const MeshFileReader fromTable = [&](const std::string& path, std::uint64_t maxBytes) -> Result<std::string> {
    const auto found = files.find(path);
    if (found == files.end()) return Status::Error("No such file or directory");
    if (found->second.size() > maxBytes) return Status::Error("too large");
    return found->second;
  };
  Result<Scene> scene = ParseSceneText(sceneText, "scene.json", kFolder, fromTable);
  if (!scene.ok()) {
    fuzz::Require(scene.message().rfind("scene.json: ", 0) == 0, "a message that does not name the file");
    fuzz::Require(scene.message().find('\n') == std::string::npos, "a message of more than one line");
    return 0;
  }
  for (const Object& object : scene->objects) {
    fuzz::Require(object.material >= 0 && std::size_t(object.material) < scene->materials.size(), "a material out of range");
    if (const auto* mesh = std::get_if<Mesh>(&object.shape)) {
      fuzz::Require(mesh->data != nullptr, "a mesh object without its mesh");
      for (const auto& triangle : mesh->data->triangles)
        for (std::uint32_t corner : triangle) fuzz::Require(corner < mesh->data->positions.size(), "a corner out of range");
    }
  }
  if (Geometry::BytesNeeded(scene.value()) > kMostGeometryBytes || scene->lights.size() > kMostLights) return 0;
  const Tracer tracer(scene.value(), 3, 2);
  std::vector<LightSample> lights(scene->lights.size() + 1);
  std::uint64_t rays = 0;
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) {
      PixelShade shade;
      tracer.Shade(x, y, shade, lights.data(), rays);
      for (const ColourValue& component : shade.component) fuzz::Require(Finite(component), "a component is not finite");
    }
  return 0;
}
