#include "gl_support.h"

#include "viewer/frame.h"

#include <GL/glu.h>
#include <GL/glut.h>

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
