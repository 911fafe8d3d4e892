// What keeps a layer list's stack from rebuilding the render: the plug-in's layer maths read
// from the list alone, the way the plug-in resolves its packs before rendering.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zurender {

// One entry of the stored list, as the Layers dialog shows it.
struct ListEntry {
  std::int32_t kind = 0;
  std::uint32_t flags = 0;  // LayerFlag bits (host/layer_flags.h)
  std::int32_t blendMode = 0;
  std::int32_t option1 = 0;
  std::int32_t option2 = 0;
  std::string name;
};

struct StackFacts {
  bool sceneHasFog = false;
  bool integerDepth = false;  // the layered file clips to [0, 1]
};

// Short sentences, one per obstacle that applies, top of the stack first where it matters.
// Empty when the list's stack rebuilds the render in float.
std::vector<std::string> StackObstacles(const std::vector<ListEntry>& list, const StackFacts& facts);

}  // namespace zurender
