// What filling needs to know about a prepared list, decided once per instance: the list is fixed
// once the instance exists, so nothing of this is worked out again per sample.
#pragma once

#include <cstdint>

#include "render/fill_routines.h"

struct LayerList;
struct LayerRecord;

struct FillStep {
  FillRoutine fill;
  const LayerRecord* layer;  // in the planned list's item array, which stays put for the instance's life
};

struct FillPlan {
  std::uint8_t balanceShadows;  // the first enabled "Shadows" layer asks for the clamp
  std::uint8_t includeAmbient;  // no enabled "Ambient/GI" layer: the ambient component joins the clamp
  std::int32_t stepCount;       // layers the plug-in writes, in list order
  FillStep* steps;              // host block owned by the plan; none when stepCount is 0 or the host refused it
  const LayerList* list;        // the planned list, walked layer by layer when the steps are missing
};

constexpr FillPlan EmptyFillPlan() { return FillPlan{0, 0, 0, nullptr, nullptr}; }

// Plans the fill of a prepared list, which must not change while the plan is used. False when the
// host refuses the block for the steps: the plan is still complete, and filling then picks each
// layer's routine per sample, which writes the same values, only a little slower. A render is not
// refused for a block it can do without.
bool PlanFill(const LayerList& list, FillPlan& plan);

// Whether the plan has to pick each layer's routine per sample.
inline bool FillsByKind(const FillPlan& plan) { return plan.steps == nullptr && plan.stepCount > 0; }

void ReleaseFillPlan(FillPlan& plan);
