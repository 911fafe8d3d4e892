// Scene files: JSON, described in docs/scene-format.md.
#pragma once

#include <string>

#include "zurender/base/status.h"
#include "zurender/scene/scene.h"

namespace zurender {

// Bound on a scene file's size; real scene files are a few kilobytes.
constexpr std::size_t kMaxSceneFileBytes = 16u << 20;

// Loads a scene file and the meshes it names (relative to the file's folder). On failure the one
// message names the file and the field: `scenes/room.json: objects[3].material: unknown material
// "chrome"`. Never throws.
Result<Scene> LoadSceneFile(const std::string& path);

// The same from text in memory; `fileName` names it in messages and meshDir is where relative
// mesh paths start.
Result<Scene> ParseSceneText(const std::string& text, const std::string& fileName, const std::string& meshDir);

}  // namespace zurender
