// A colour as the host exchanges it: alpha first, then red, green, blue.
#pragma once

#include <cstddef>

struct ColourValue {
  float alpha;
  float red;
  float green;
  float blue;
};

static_assert(offsetof(ColourValue, red) == 4);
static_assert(offsetof(ColourValue, blue) == 12);
static_assert(sizeof(ColourValue) == 16);
