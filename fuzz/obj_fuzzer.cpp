// The OBJ reader alone under libFuzzer: any text gives a mesh whose corners and normals hold, or
// one line saying why not.
#include <cmath>

#include "fuzz/fuzz_support.h"
#include "zurender/scene/obj_mesh.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zurender;
  Result<TriangleMesh> mesh = ParseObjMesh(fuzz::Text(data, size), "fuzz.obj");
  if (!mesh.ok()) {
    fuzz::Require(mesh.message().rfind("mesh \"fuzz.obj\"", 0) == 0, "a message that does not name the mesh");
    return 0;
  }
  fuzz::Require(!mesh->triangles.empty(), "a mesh without faces");
  fuzz::Require(mesh->normals.empty() || mesh->normals.size() == mesh->positions.size(), "normals for some corners only");
  for (const auto& triangle : mesh->triangles)
    for (std::uint32_t corner : triangle) fuzz::Require(corner < mesh->positions.size(), "a corner out of range");
  for (const Vec3& p : mesh->positions)
    fuzz::Require(std::fabs(p.x) <= 1e6f && std::fabs(p.y) <= 1e6f && std::fabs(p.z) <= 1e6f, "a position out of range");
  for (const Vec3& n : mesh->normals) fuzz::Require(std::fabs(Length(n) - 1.0f) < 1e-3f, "a normal not of unit length");
  return 0;
}
