#include "dialog/dialog_context.h"
#include "dialog/dialog_controls.h"
#include "dialog/host_dialog_api.h"
#include "dialog/layer_options.h"

namespace zu {

namespace {

ControlBounds BoundsOf(std::int32_t id) {
  ControlBounds bounds{0, 0, 0, 0};
  host_dialog::GetControlBounds(DialogControl(id), &bounds);
  return bounds;
}

// Shifts the control without changing its size.
void MoveControl(std::int32_t id, std::int32_t dx, std::int32_t dy) {
  ControlBounds bounds = BoundsOf(id);
  host_dialog::OffsetRect(&bounds, dx, dy);
  host_dialog::SetControlBounds(DialogControl(id), &bounds);
}

// Puts the control's top-right corner on kDiffuseLighting's.
void MoveToOptionCorner(std::int32_t id) {
  const ControlBounds anchor = BoundsOf(kDiffuseLighting);
  const ControlBounds bounds = BoundsOf(id);
  MoveControl(id, anchor.right - bounds.right, anchor.top - bounds.top);
}

}  // namespace

void LayoutOptionControls() {
  constexpr std::int32_t kSingleOptionControls[] = {kLightsShadows, kShadowsOption, kMaskValue, kAmbientOption};
  for (std::int32_t id : kSingleOptionControls) MoveToOptionCorner(id);

  // The component checkboxes keep their place relative to the pack's mode control.
  const ControlBounds before = BoundsOf(kAdditivesMode);
  MoveToOptionCorner(kAdditivesMode);
  const ControlBounds after = BoundsOf(kAdditivesMode);
  for (std::int32_t id = kAddSpecularCheck; id <= kAddRefractionsCheck; ++id)
    MoveControl(id, after.left - before.left, after.top - before.top);

  const ControlBounds reference = BoundsOf(kLayoutReference);
  ControlBounds item = BoundsOf(kLaidOutItem);
  item.right = reference.right;
  host_dialog::SetControlBounds(DialogControl(kLaidOutItem), &item);
}

}  // namespace zu
