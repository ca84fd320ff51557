// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// What made one pixel of the held frame: every call that touched it, asked
// of WebGL itself by drawing the frame again, once for each question, with
// everything drawn only at that pixel and read back after each call that
// draws.
#ifndef WEB_GL_PIXEL_H
#define WEB_GL_PIXEL_H

#include <string>
#include <vector>

// What one call that draws did at the pixel, as the questions found it.
struct Touch {
  int call;
  bool clear;     // a glClear of the colour: it writes every pixel
  bool covers;    // a fragment of it lies there, whatever the depth
  bool passed;    // one passed the depth test there, and was written
  bool depth_on;  // the depth test was on for it
  bool textured;
  bool near, far;           // one lies there with that plane of the view volume moved out
  unsigned char colour[4];  // the pixel after it
};

// The story of the pixel as JSON: [{"call", "did" ("final", "covered",
// "depth", "clipped"), "by" (the call that covered it or that it lay behind,
// where one did), "plane" ("near", "far", where clipped), "colour" [r, g, b]
// (the pixel after it, 0 to 255, where it wrote)}], in frame order.
std::string pixel_story(const std::vector<Touch> &touches);

// Asks about pixel (x, y) of the held frame drawn up to call `stop`;
// `draw_frame` draws the held frame again from its start (GLUT's). Returns
// {"x", "y", "calls": pixel_story, and for a textured final call "texel" and
// "shade", [r, g, b] 0 to 255: its texture's value and its interpolated
// colour there}; no calls for a pixel outside the viewport. The picture is
// left drawn at the pixel only: draw the held frame again after.
const char *pixel_history(int x, int y, int stop, void (*draw_frame)());

#endif
