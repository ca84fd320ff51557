// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// Helpers for tests that draw with real GL (Mesa) in a GLUT window.
#ifndef TESTS_GL_SUPPORT_H
#define TESTS_GL_SUPPORT_H

#include <GL/gl.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

// Opens the test program's one 500 x 500 GLUT window, once per process.
void open_test_window(unsigned int display_mode);

// Drains the GL error queue; returns the names of what it held ("" if nothing).
std::string gl_errors();

using Rgb = std::array<int, 3>;

// A pixel of the back buffer, where the frame is drawn before its swap.
Rgb pixel_at(int x, int y);

// Window coordinates of a world point under the current matrices.
struct Projected {
  double x, y, depth;
};
Projected project(double x, double y, double z);
Rgb pixel_at_point(double x, double y, double z);

bool close_to(const Rgb &pixel, const Rgb &expected, int tolerance);
std::string to_string(const Rgb &pixel);

// Checks a program's reshape callback on a wide and on a flat window: the
// viewport covers the window, the model-view matrix is selected again, and
// the frustum spans -1..1 at distance 1 whatever the shape, out to far_plane.
void check_reshape(void (*reshape)(int, int), double far_plane);

// What GL feedback saw of one primitive: its token (GL_LINE_TOKEN,
// GL_POLYGON_TOKEN ...; quads arrive as two triangles) and its vertices in
// world units, each with its colour.
struct FeedbackVertex {
  std::array<double, 3> at;
  std::array<float, 3> colour;
};
struct Primitive {
  GLfloat token;
  std::vector<FeedbackVertex> vertices;
};

// Everything `draw` hands to the rasteriser from an identity model-view,
// magnified along each axis by `scale` for precision: it must lie within
// 250 / scale of the origin. Leaves the viewport and the projection changed;
// reshape restores them.
using Scale = std::array<double, 3>;
std::vector<Primitive> feedback(const std::function<void()> &draw, const Scale &scale = {1, 1, 1});

// The colour of a run of primitives and the box round their vertices.
struct Box {
  std::array<float, 3> colour;
  std::array<double, 3> lo, hi;
};
Box bounds(const Primitive *first, const Primitive *last);
// Consecutive primitives of one colour, one run each.
std::vector<Box> runs_by_colour(const std::vector<Primitive> &primitives);

#endif
