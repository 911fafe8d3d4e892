#include "zurender/scene/obj_mesh.h"

#include <tiny_obj_loader.h>

#include <cmath>

#include "zurender/scene/read_file.h"

namespace zurender {
namespace {

std::string FirstLine(std::string text) {
  const std::size_t end = text.find('\n');
  if (end != std::string::npos) text.resize(end);
  return text;
}

// Coordinates beyond this are refused: placed and scaled by the scene they must stay finite.
constexpr float kLargestCoordinate = 1e6f;

bool Triples(const std::vector<tinyobj::real_t>& values) {
  for (tinyobj::real_t v : values) {
    if (!(std::fabs(v) <= kLargestCoordinate)) return false;
  }
  return values.size() % 3 == 0;
}

Vec3 At(const std::vector<tinyobj::real_t>& values, std::size_t i) {
  return {values[3 * i], values[3 * i + 1], values[3 * i + 2]};
}

}  // namespace

Result<TriangleMesh> ParseObjMesh(const std::string& text, const std::string& name) {
  tinyobj::ObjReaderConfig config;
  config.triangulate = true;
  config.vertex_color = false;
  tinyobj::ObjReader reader;
  // Without material text, tinyobj ignores "mtllib" and reads no other file.
  if (!reader.ParseFromString(text, "", config)) {
    return Status::Error("mesh \"" + name + "\": " + FirstLine(reader.Error()));
  }
  const tinyobj::attrib_t& attrib = reader.GetAttrib();
  if (!Triples(attrib.vertices) || !Triples(attrib.normals)) {
    return Status::Error("mesh \"" + name + "\": a vertex or normal is not a number between -1e+06 and 1e+06");
  }
  const std::size_t vertexCount = attrib.vertices.size() / 3;
  const std::size_t normalCount = attrib.normals.size() / 3;

  // One output vertex per face corner: simple, and the only way to keep OBJ's separate
  // position and normal indices.
  TriangleMesh mesh;
  bool allNormals = normalCount > 0;
  for (const tinyobj::shape_t& shape : reader.GetShapes()) {
    for (unsigned char corners : shape.mesh.num_face_vertices) {
      if (corners != 3)
        return Status::Error("mesh \"" + name + "\": a face has fewer than 3 corners or could not be split into triangles");
    }
    const auto& indices = shape.mesh.indices;
    for (std::size_t i = 0; i + 2 < indices.size(); i += 3) {
      std::array<std::uint32_t, 3> tri{};
      for (int c = 0; c < 3; ++c) {
        const tinyobj::index_t& index = indices[i + c];
        if (index.vertex_index < 0 || static_cast<std::size_t>(index.vertex_index) >= vertexCount) {
          return Status::Error("mesh \"" + name + "\": a face refers to a vertex that does not exist");
        }
        if (index.normal_index < 0 || static_cast<std::size_t>(index.normal_index) >= normalCount) {
          allNormals = false;
        }
        tri[c] = static_cast<std::uint32_t>(mesh.positions.size());
        mesh.positions.push_back(At(attrib.vertices, static_cast<std::size_t>(index.vertex_index)));
        mesh.normals.push_back(allNormals ? At(attrib.normals, static_cast<std::size_t>(index.normal_index)) : Vec3{});
      }
      mesh.triangles.push_back(tri);
    }
  }
  if (mesh.triangles.empty()) return Status::Error("mesh \"" + name + "\" has no faces");
  // Normals only when every corner has a usable one; otherwise the triangles are flat.
  for (Vec3& n : mesh.normals) {
    const float length = Length(n);
    if (!allNormals || !(length > 1e-20f)) {
      allNormals = false;
      break;
    }
    n = n * (1.0f / length);
  }
  if (!allNormals) mesh.normals.clear();
  return mesh;
}

Result<TriangleMesh> LoadObjMesh(const std::string& path, const std::string& name) {
  Result<std::string> text = ReadWholeFile(path, kMaxMeshFileBytes);
  if (!text.ok()) return Status::Error("cannot read mesh \"" + name + "\": " + text.message());
  return ParseObjMesh(text.value(), name);
}

}  // namespace zurender
