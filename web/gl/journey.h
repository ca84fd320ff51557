// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// A vertex's way through GL 1.1 under the state as it stands, for the
// explorer: object, eye, clip, normalised device and window coordinates,
// by the layer's own arithmetic, and the light it gets, term by term.
#ifndef WEB_GL_JOURNEY_H
#define WEB_GL_JOURNEY_H

// As JSON: {"object", "eye", "clip", "ndc": [x, y, z, w]; "outside": the
// planes the clip coordinates lie outside of ("near", "far", "left",
// "right", "bottom", "top"); "window": [x, y, depth], from the "viewport"
// [x, y, width, height] and the depth "range" [near, far]; "colour": the
// colour it gets, or null where that is not known (a lit shape's point has
// no normal of its own); "light": for a lit vertex, {"normal" (in eye space),
// "tracked" (the material colours the current colour stands for), "terms":
// [{"term", "value": [r, g, b], and "n-dot-l", "n-dot-h", "shininess" where
// they apply}]}, else null}. `vertex`: a glVertex, with the current normal;
// else a shape's point.
const char *journey_json(const float object[3], bool vertex);

#endif
