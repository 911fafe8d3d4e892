// What filling needs to know about a prepared list beyond its layers, decided once per instance:
// the list is fixed once the instance exists, so nothing of this is worked out again per sample.
//
// The plan is the same few words for a list of any length and lives inside the instance, so it
// needs no memory of its own that the host could refuse. Each sample walks the list's layers
// and picks a layer's routine by its kind; a layer the host fills costs that walk a compare.
#pragma once

#include <cstdint>

struct LayerList;
struct LayerRecord;

struct FillPlan {
  const LayerRecord* layers;    // the planned list's item array, which stays put for the instance's life
  std::int32_t count;           // its layers, in list order
  std::uint8_t balanceShadows;  // the first enabled "Shadows" layer asks for the clamp
  std::uint8_t includeAmbient;  // no enabled "Ambient/GI" layer: the ambient component joins the clamp
};

// Fills nothing.
constexpr FillPlan EmptyFillPlan() { return FillPlan{nullptr, 0, 0, 0}; }

// Plans the fill of a prepared list, which must not change while the plan is used.
FillPlan PlanFill(const LayerList& list);
