// A control's rectangle as the host's dialog toolkit exchanges it.
#pragma once

#include <cstddef>
#include <cstdint>

// Edges in dialog coordinates. left and right move together with a horizontal offset, top and
// bottom with a vertical one.
struct ControlBounds {
  std::int32_t left;
  std::int32_t top;
  std::int32_t right;
  std::int32_t bottom;
};

static_assert(offsetof(ControlBounds, left) == 0);
static_assert(offsetof(ControlBounds, top) == 4);
static_assert(offsetof(ControlBounds, right) == 8);
static_assert(offsetof(ControlBounds, bottom) == 12);
static_assert(sizeof(ControlBounds) == 16);
