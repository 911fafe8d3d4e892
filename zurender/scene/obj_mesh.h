// Triangle meshes from Wavefront OBJ files. Only the geometry is taken: positions, faces
// (polygons are split into triangles) and vertex normals when every face has them. Materials
// come from the scene file, so "mtllib" and "usemtl" lines are ignored.
#pragma once

#include <string>

#include "zurender/base/read_limits.h"
#include "zurender/base/status.h"
#include "zurender/scene/shapes.h"

namespace zurender {

constexpr std::size_t kMaxMeshFileBytes = std::size_t(kMeshFileLimit);

// `name` is how messages call the mesh (the scene file's spelling of its path). The message on
// failure names neither the scene nor the field; the scene loader adds them.
Result<TriangleMesh> LoadObjMesh(const std::string& path, const std::string& name);

// The same from text already in memory; `name` only appears in messages.
Result<TriangleMesh> ParseObjMesh(const std::string& text, const std::string& name);

}  // namespace zurender
