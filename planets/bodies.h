// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The Sun and the nine planets as one table: what the frame draws and what
// the view's words see.
#ifndef PLANETS_BODIES_H
#define PLANETS_BODIES_H

#include "planets/solar.h"

// Model units become world units at this scale.
inline constexpr float kSceneScale = 0.0169104f;

struct Body {
  const char *name;
  float r, g, b;
  float *angle;    // none for the Sun, which stays put
  float distance;  // thousandths of a model unit
  float radius;    // model units
  double rate;     // degrees an idle call, times speed
};

// In drawing order: with no depth test, later bodies are drawn over earlier ones.
// The radii are diameters in thousands of km. Neptune's blue of 8 is clamped to 1.
inline constexpr Body kBodies[] = {
    {"Sun", 1, 1, 0, nullptr, 0, 139, 0},
    {"Mercury", 1, 0, 0, &mercury_orbit_angle, 157910, 4.88f, 1},
    {"Venus", 1, 1, 0, &venus_orbit_angle, 208200, 12.1036f, 0.7},
    {"Earth", 0, 0, 1, &earth_orbit_angle, 249600, 12.7563f, 0.5},
    {"Mars", 1, 0, 0, &mars_orbit_angle, 327940, 6.794f, 0.3},
    {"Jupiter", 1, 0.5f, 0, &jupiter_orbit_angle, 578330, 152.984f, 0.25},
    {"Saturn", 0.2f, 0.2f, 0.2f, &saturn_orbit_angle, 729400, 120.536f, 0.2},
    {"Uranus", 0, 0, 0.6f, &uranus_orbit_angle, 870990, 51.118f, 0.15},
    {"Neptune", 0, 0, 8, &neptune_orbit_angle, 1003903, 49.532f, 0.13},
    {"Pluto", 0.3f, 0.3f, 0.3f, &pluto_orbit_angle, 1113520, 2.274f, 0.1},
};

#endif
