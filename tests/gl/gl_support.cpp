// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
#include "gl_support.h"

#include "viewer/frame.h"

#include <GL/glu.h>
#include <GL/glut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>

void open_test_window(unsigned int display_mode) {
  static bool open = false;
  if (open) return;
  int argc = 1;
  char name[] = "gl_test";
  char *argv[] = {name, nullptr};
  open_window(&argc, argv, display_mode, "gl test");
  open = true;
}

std::string gl_errors() {
  std::string names;
  for (GLenum e = glGetError(); e != GL_NO_ERROR; e = glGetError()) {
    if (!names.empty()) names += ' ';
    names += reinterpret_cast<const char *>(gluErrorString(e));
  }
  return names;
}

Rgb pixel_at(int x, int y) {
  unsigned char p[3] = {0, 0, 0};
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, p);
  return {p[0], p[1], p[2]};
}

Projected project(double x, double y, double z) {
  GLdouble model[16], proj[16];
  GLint view[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, model);
  glGetDoublev(GL_PROJECTION_MATRIX, proj);
  glGetIntegerv(GL_VIEWPORT, view);
  Projected p{};
  gluProject(x, y, z, model, proj, view, &p.x, &p.y, &p.depth);
  return p;
}

Rgb pixel_at_point(double x, double y, double z) {
  const Projected p = project(x, y, z);
  return pixel_at(static_cast<int>(std::floor(p.x)), static_cast<int>(std::floor(p.y)));
}

bool close_to(const Rgb &pixel, const Rgb &expected, int tolerance) {
  for (int i = 0; i < 3; ++i) {
    if (std::abs(pixel[i] - expected[i]) > tolerance) return false;
  }
  return true;
}

std::string to_string(const Rgb &pixel) {
  std::ostringstream out;
  out << '(' << pixel[0] << ", " << pixel[1] << ", " << pixel[2] << ')';
  return out.str();
}

void check_reshape(void (*reshape)(int, int), double far_plane) {
  for (const std::array<GLint, 4> size : {std::array<GLint, 4>{0, 0, 300, 0}, {0, 0, 800, 400}}) {
    glMatrixMode(GL_TEXTURE);
    reshape(size[2], size[3]);
    GLint mode = 0;
    std::array<GLint, 4> view{};
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    glGetIntegerv(GL_VIEWPORT, view.data());
    EXPECT_EQ(mode, GL_MODELVIEW);
    EXPECT_EQ(view, size);
  }
  glLoadIdentity();
  const Projected corner = project(1, 1, -1);
  EXPECT_NEAR(corner.x, 800, 1e-6);
  EXPECT_NEAR(corner.y, 400, 1e-6);
  EXPECT_LT(project(0, 0, 0.5 - far_plane).depth, 1);
  EXPECT_GT(project(0, 0, -0.5 - far_plane).depth, 1);
  EXPECT_EQ(gl_errors(), "");
}

// With the viewport's origin at (-250, -250) and a 500-wide orthographic
// view, window x and y are world x and y; depth maps -250..250 onto 1..0.
std::vector<Primitive> feedback(const std::function<void()> &draw, const Scale &scale) {
  constexpr int kValuesPerVertex = 7;  // x, y, depth, r, g, b, a
  std::vector<GLfloat> buffer(1 << 21);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
  glRenderMode(GL_FEEDBACK);
  glViewport(-250, -250, 500, 500);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-250, 250, -250, 250, -250, 250);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glScaled(scale[0], scale[1], scale[2]);
  draw();
  const GLint used = glRenderMode(GL_RENDER);
  EXPECT_GE(used, 0) << "feedback buffer too small";
  std::vector<Primitive> out;
  for (GLint i = 0; i < used;) {
    Primitive p{buffer[i++], {}};
    int n = 1;
    if (p.token == GL_LINE_TOKEN || p.token == GL_LINE_RESET_TOKEN) n = 2;
    if (p.token == GL_POLYGON_TOKEN) n = static_cast<int>(buffer[i++]);
    for (int k = 0; k < n; ++k, i += kValuesPerVertex) {
      const GLfloat *v = &buffer[i];
      p.vertices.push_back({{v[0] / scale[0], v[1] / scale[1], 250 * (1 - 2.0 * v[2]) / scale[2]},
                            {v[3], v[4], v[5]}});
    }
    out.push_back(p);
  }
  return out;
}

Box bounds(const Primitive *first, const Primitive *last) {
  Box run{first->vertices.at(0).colour, {1e30, 1e30, 1e30}, {-1e30, -1e30, -1e30}};
  for (; first != last; ++first) {
    for (const FeedbackVertex &v : first->vertices) {
      for (int k = 0; k < 3; ++k) {
        run.lo[k] = std::min(run.lo[k], v.at[k]);
        run.hi[k] = std::max(run.hi[k], v.at[k]);
      }
    }
  }
  return run;
}

std::vector<Box> runs_by_colour(const std::vector<Primitive> &primitives) {
  std::vector<Box> runs;
  const Primitive *begin = primitives.data(), *end = begin + primitives.size();
  for (const Primitive *first = begin; first != end;) {
    const Primitive *last = first;
    while (last != end && last->vertices.at(0).colour == first->vertices.at(0).colour) ++last;
    runs.push_back(bounds(first, last));
    first = last;
  }
  return runs;
}
