// The procedural surroundings that bitmap reflections show and that escaping secondary rays see.
#pragma once

#include <vector>

#include "zurender/scene/vec3.h"

namespace zurender {

// A bright rectangle on the sphere of directions, e.g. a softbox of a photo studio. Azimuth 0 is
// the -z direction and grows towards +x; elevation 0 is the horizon, 90 straight up.
struct EnvironmentPanel {
  float azimuthDegrees = 0.0f;
  float elevationDegrees = 30.0f;
  float widthDegrees = 30.0f;   // extent in azimuth
  float heightDegrees = 20.0f;  // extent in elevation
  Vec3 colour{4.0f, 4.0f, 4.0f};
};

struct Environment {
  // kStudio: dark gradient, a bright horizon line and softbox panels. kSky: blue sky over a
  // ground, with a sun. kUniform: one colour everywhere.
  enum class Style { kStudio, kSky, kUniform };

  Style style = Style::kStudio;
  Vec3 zenith{0.10f, 0.10f, 0.12f};   // straight up
  Vec3 horizon{0.45f, 0.45f, 0.48f};  // just above the horizon line
  Vec3 ground{0.06f, 0.06f, 0.06f};   // straight down
  float horizonGlow = 0.6f;           // brightness added in a thin band at the horizon
  std::vector<EnvironmentPanel> panels;
  Vec3 sunColour{0.0f, 0.0f, 0.0f};  // kSky only; black for no sun
  float sunAzimuthDegrees = 30.0f;
  float sunElevationDegrees = 35.0f;
  float sunSizeDegrees = 3.0f;    // angular diameter of the disc
  Vec3 colour{0.5f, 0.5f, 0.5f};  // kUniform only
  float rotateYDegrees = 0.0f;    // turns the whole map about the vertical axis
};

// The defaults of each style: what a scene gets when it names the style and nothing else.
Environment DefaultEnvironment(Environment::Style style);

// The colour seen along a unit direction.
Vec3 EnvironmentColour(const Environment& environment, Vec3 direction);

}  // namespace zurender
