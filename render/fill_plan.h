// What filling needs to know about a prepared list beyond its layers, decided once per instance:
// the list is fixed once the instance exists, so nothing of this is worked out again per sample.
//
// The plan is a few words for a list of any length and lives inside the instance, so it needs
// no memory of its own that the host could refuse. A sample walks the runs of the list that hold
// the layers the plug-in writes and picks each layer's routine by its kind; the host's layers
// between runs are not visited. A list with more gaps than there are runs has its last run reach
// over the rest: the host's layers in it cost the walk a compare each.
#pragma once

#include <cstdint>

namespace zu {

struct LayerList;
struct LayerRecord;

// Runs a plan keeps: lists interleave few stretches of the host's layers with the written ones.
constexpr std::int32_t kFillRunLimit = 4;

struct FillRun {
  const LayerRecord* first;  // in the planned list's item array, which stays put for the instance's life
  const LayerRecord* end;    // one past the last layer of the run
};

struct FillPlan {
  FillRun runs[kFillRunLimit];  // in list order
  std::int32_t runCount;        // none: the plug-in writes no layer of the list
  std::uint8_t balanceShadows;  // the first enabled "Shadows" layer asks for the clamp
  std::uint8_t includeAmbient;  // no enabled "Ambient/GI" layer: the ambient component joins the clamp
};

// Fills nothing.
constexpr FillPlan EmptyFillPlan() { return FillPlan{{}, 0, 0, 0}; }

// Plans the fill of a prepared list, which must not change while the plan is used.
FillPlan PlanFill(const LayerList& list);

}  // namespace zu
