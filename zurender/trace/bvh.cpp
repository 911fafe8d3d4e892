#include "zurender/trace/bvh.h"

#include <algorithm>
#include <cmath>

namespace zurender {
namespace {

constexpr int kBins = 16;
constexpr int kLeafSize = 4;            // a leaf never holds more, unless its centres coincide
constexpr float kTraversalCost = 1.0f;  // relative to one primitive test

// The bin of a position measured in bin widths; clamped before the conversion, so that a
// centre spread too thin for float (an infinite scale) cannot make an out-of-range int.
int BinOf(float position) {
  if (!(position > 0.0f)) return 0;
  return position < static_cast<float>(kBins - 1) ? static_cast<int>(position) : kBins - 1;
}

struct BuildItem {
  Bounds bounds;
  Vec3 centre;
  std::int32_t index;  // into the caller's primitives
};

class Builder {
 public:
  Builder(std::vector<BuildItem>& items, std::vector<BvhNode>& nodes) : items_(items), nodes_(nodes) {}

  void Build() {
    nodes_.reserve(2 * items_.size());
    nodes_.push_back({});
    Split(0, 0, static_cast<std::int32_t>(items_.size()), 0);
  }

 private:
  void Split(std::int32_t node, std::int32_t first, std::int32_t count, int depth) {
    Bounds bounds;
    Bounds centres;
    for (std::int32_t i = first; i < first + count; ++i) {
      bounds.Grow(items_[i].bounds);
      centres.Grow(items_[i].centre);
    }
    nodes_[node].bounds = bounds;
    nodes_[node].first = first;
    nodes_[node].count = count;
    // Depth is bounded by the traversal stack; a tree this deep would need billions of leaves.
    if (count <= 1 || depth >= 60) return;

    int axis = 0;
    float cut = 0.0f;
    if (!BestCut(first, count, bounds, centres, axis, cut)) return;
    BuildItem* begin = items_.data() + first;
    BuildItem* middle =
        std::partition(begin, begin + count, [&](const BuildItem& item) { return item.centre[axis] < cut; });
    std::int32_t leftCount = static_cast<std::int32_t>(middle - begin);
    if (leftCount == 0 || leftCount == count) {
      // All centres on one side of every cut: split by position in the sorted order instead.
      leftCount = count / 2;
      std::nth_element(begin, begin + leftCount, begin + count,
                       [&](const BuildItem& x, const BuildItem& y) { return x.centre[axis] < y.centre[axis]; });
    }
    const std::int32_t left = static_cast<std::int32_t>(nodes_.size());
    nodes_.push_back({});
    nodes_.push_back({});
    nodes_[node].first = left;
    nodes_[node].count = 0;
    Split(left, first, leftCount, depth + 1);
    Split(left + 1, first + leftCount, count - leftCount, depth + 1);
  }

  // The cheapest binned surface-area split, or false when a leaf is cheaper.
  bool BestCut(std::int32_t first, std::int32_t count, const Bounds& bounds, const Bounds& centres, int& axis,
               float& cut) const {
    float bestCost = kNoHit;
    for (int a = 0; a < 3; ++a) {
      const float lo = centres.min[a];
      const float extent = centres.max[a] - lo;
      if (!(extent > 0.0f)) continue;
      Bounds bin[kBins];
      int binCount[kBins] = {};
      const float scale = kBins / extent;
      for (std::int32_t i = first; i < first + count; ++i) {
        const int b = BinOf((items_[i].centre[a] - lo) * scale);
        bin[b].Grow(items_[i].bounds);
        ++binCount[b];
      }
      // Areas and counts left of each cut, then sweep from the right.
      float leftArea[kBins - 1];
      int leftCount[kBins - 1];
      Bounds running;
      int n = 0;
      for (int b = 0; b < kBins - 1; ++b) {
        running.Grow(bin[b]);
        n += binCount[b];
        leftArea[b] = n > 0 ? running.HalfArea() : 0.0f;
        leftCount[b] = n;
      }
      running = Bounds();
      n = 0;
      for (int b = kBins - 1; b > 0; --b) {
        running.Grow(bin[b]);
        n += binCount[b];
        const float cost = leftArea[b - 1] * leftCount[b - 1] + (n > 0 ? running.HalfArea() : 0.0f) * n;
        if (leftCount[b - 1] > 0 && n > 0 && cost < bestCost) {
          bestCost = cost;
          axis = a;
          cut = lo + extent * static_cast<float>(b) / kBins;
        }
      }
    }
    if (bestCost == kNoHit) return false;
    const float area = bounds.HalfArea();
    const float leafCost = static_cast<float>(count);
    const float splitCost = kTraversalCost + (area > 0.0f ? bestCost / area : 0.0f);
    return count > kLeafSize || splitCost < leafCost;
  }

  std::vector<BuildItem>& items_;
  std::vector<BvhNode>& nodes_;
};

}  // namespace

BoxRay::BoxRay(const Ray& ray) : origin(ray.origin) {
  for (int i = 0; i < 3; ++i) {
    const float d = ray.direction[i];
    // A huge finite inverse keeps 0 * inverse from making NaN where the origin lies on a slab.
    inverse[i] = d == 0.0f ? 1e30f : 1.0f / d;
    negative[i] = inverse[i] < 0.0f ? 1 : 0;
  }
}

std::uint64_t Bvh::BuildBytes(std::uint64_t primitives) {
  // The build items, the nodes (reserved for two a primitive) and the reordered copy.
  return primitives * (sizeof(BuildItem) + 2 * sizeof(BvhNode) + sizeof(Primitive));
}

Bvh::Bvh(std::vector<Primitive>& primitives) {
  if (primitives.empty()) return;
  std::vector<BuildItem> items(primitives.size());
  for (std::size_t i = 0; i < primitives.size(); ++i) {
    items[i].bounds = PrimitiveBounds(primitives[i]);
    items[i].centre = items[i].bounds.Centre();
    items[i].index = static_cast<std::int32_t>(i);
  }
  Builder(items, nodes_).Build();
  std::vector<Primitive> ordered;
  ordered.reserve(primitives.size());
  for (const BuildItem& item : items) ordered.push_back(primitives[item.index]);
  primitives.swap(ordered);
}

}  // namespace zurender
