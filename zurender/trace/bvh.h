// A bounding volume hierarchy over the finite primitives. Built once; read-only afterwards, so
// any number of threads may walk it at once.
#pragma once

#include <cstdint>
#include <vector>

#include "zurender/trace/primitives.h"
#include "zurender/trace/ray.h"

namespace zurender {

struct BvhNode {
  Bounds bounds;
  // Inner node (count 0): children at first and first + 1. Leaf: primitives first..first+count-1.
  std::int32_t first = 0;
  std::int32_t count = 0;
};

// The ray with what the box tests need precomputed.
struct BoxRay {
  explicit BoxRay(const Ray& ray);
  Vec3 origin;
  Vec3 inverse;  // 1 / direction, with zero components replaced by a huge finite value
  int negative[3];
};

// Entry distance into the box along the ray if the box overlaps [0, tMax], else kNoHit.
// Inline: the walk calls it for every node it looks at.
inline float EnterBox(const Bounds& box, const BoxRay& ray, float tMax) {
  const Vec3* corners[2] = {&box.min, &box.max};
  float tNear = 0.0f;
  float tFar = tMax;
  for (int i = 0; i < 3; ++i) {
    const float t0 = ((*corners[ray.negative[i]])[i] - ray.origin[i]) * ray.inverse[i];
    const float t1 = ((*corners[1 - ray.negative[i]])[i] - ray.origin[i]) * ray.inverse[i];
    tNear = t0 > tNear ? t0 : tNear;
    tFar = t1 < tFar ? t1 : tFar;
  }
  return tNear <= tFar ? tNear : kNoHit;
}

class Bvh {
 public:
  // Reorders primitives so that every leaf holds a contiguous run of them.
  explicit Bvh(std::vector<Primitive>& primitives);

  // The most memory a build over this many primitives takes at once, its own nodes included.
  static std::uint64_t BuildBytes(std::uint64_t primitives);

  bool empty() const { return nodes_.empty(); }
  const std::vector<BvhNode>& nodes() const { return nodes_; }

  // Calls visit(first, count) for each leaf the ray may reach before tMax, nearest boxes first;
  // visit returns the new tMax (smaller once something is hit), or a negative number to stop.
  template <typename Visit>
  void Walk(const Ray& ray, float tMax, Visit&& visit) const;

 private:
  // Deep enough for any tree this builder makes: it splits until leaves are small, and a
  // degenerate split (all centres equal) makes a leaf.
  static constexpr int kStackDepth = 64;
  std::vector<BvhNode> nodes_;
};

template <typename Visit>
void Bvh::Walk(const Ray& ray, float tMax, Visit&& visit) const {
  if (nodes_.empty()) return;
  const BoxRay boxRay(ray);
  if (EnterBox(nodes_[0].bounds, boxRay, tMax) == kNoHit) return;
  std::int32_t stack[kStackDepth];
  int top = 0;
  std::int32_t node = 0;
  for (;;) {
    const BvhNode& n = nodes_[node];
    if (n.count > 0) {
      tMax = visit(n.first, n.count, tMax);
      if (tMax < 0.0f) return;
    } else {
      const float tLeft = EnterBox(nodes_[n.first].bounds, boxRay, tMax);
      const float tRight = EnterBox(nodes_[n.first + 1].bounds, boxRay, tMax);
      if (tLeft != kNoHit && tRight != kNoHit) {
        const bool leftFirst = tLeft <= tRight;
        stack[top++] = leftFirst ? n.first + 1 : n.first;
        node = leftFirst ? n.first : n.first + 1;
        continue;
      }
      if (tLeft != kNoHit) {
        node = n.first;
        continue;
      }
      if (tRight != kNoHit) {
        node = n.first + 1;
        continue;
      }
    }
    // Pop, skipping boxes that now lie beyond the nearest hit.
    for (;;) {
      if (top == 0) return;
      node = stack[--top];
      if (EnterBox(nodes_[node].bounds, boxRay, tMax) != kNoHit) break;
    }
  }
}

}  // namespace zurender
