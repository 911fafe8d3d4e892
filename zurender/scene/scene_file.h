// Scene files: JSON, described in docs/scene-format.md.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "zurender/base/read_limits.h"
#include "zurender/base/status.h"
#include "zurender/scene/scene.h"

namespace zurender {

constexpr std::size_t kMaxSceneFileBytes = std::size_t(kSceneFileLimit);

// How a scene's mesh files are read: the path (the scene's folder joined) and the limit, to the
// text or the reason it cannot be read. The default reads the disk (zurender/base/file_reading.h);
// tests and the fuzzer hand meshes over from memory.
using MeshFileReader = std::function<Result<std::string>(const std::string& path, std::uint64_t maxBytes)>;

// Loads a scene file and the meshes it names (relative to the file's folder). On failure the one
// message names the file and the field: `scenes/room.json: objects[3].material: unknown material
// "chrome"`. Never throws.
Result<Scene> LoadSceneFile(const std::string& path);

// The same from text in memory; `fileName` names it in messages and meshDir is where relative
// mesh paths start. A mesh file named by several objects is read once.
Result<Scene> ParseSceneText(const std::string& text, const std::string& fileName, const std::string& meshDir,
                             const MeshFileReader& readMesh = {});

}  // namespace zurender
