// 8-bit sRGB previews of single layers.
//
// A layer's alpha is coverage and its colour is not premultiplied (an editor stacks a 'norm' layer
// as colour*alpha over what lies below), which is exactly PNG's alpha. So a preview keeps the
// colour as it is and the alpha beside it: fog shows as its colour, faint where the fog is thin,
// over whatever the viewer puts behind it. A layer whose alpha is 1 everywhere is written as RGB.
#pragma once

#include <span>
#include <string>

#include "host/colour_value.h"
#include "zurender/base/status.h"

namespace zurender {

Status WritePreviewPng(const std::string& path, int width, int height, std::span<const ColourValue> pixels);

}  // namespace zurender
