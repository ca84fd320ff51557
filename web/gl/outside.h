// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The scene from outside, for the page's second view: the program's own
// display drawn again with an observer's view and projection applied after
// its model-view (so that it is lit as in its picture), what lies outside
// its view volume dimmed; then its eye, its look and up, and its view
// volume drawn over it. The world is the program's: its eye space placed
// back by the inverse of its look-at.
#ifndef WEB_GL_OUTSIDE_H
#define WEB_GL_OUTSIDE_H

// Before the program's display: the observer looks at the world's point
// (x, y, z) from `distance` away, turned `yaw` degrees about the vertical
// from +z and raised `pitch` degrees (pose, in that order), 50 degrees
// high, with no far plane, on the outside view's canvas, `size` x `size`
// pixels; false, nothing changed, where the browser gives that canvas no
// context.
bool outside_begin(const double pose[6], int size);
// After it: the eye, look, up and volume drawn, and with `axes` the local
// axes of the model-view as the display left it (a held frame's chosen
// translate); GL's state as it was before outside_begin, the page's canvas
// drawn to again.
void outside_end(bool axes);
// Where the observer sees the far rectangle's corners, as window x, y of
// the outside picture (bottom left, top left, top right, bottom right), as
// last drawn.
const float *outside_far_corners();

#endif
