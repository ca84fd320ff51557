// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The two GLU calls the viewers make, on the GL layer.
#include "web/gl/explore.h"
#include "web/gl/gl_layer.h"
#include "web/gl/pipeline.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <vector>

namespace {

void normalise(double v[3]) {
  const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  if (length > 0) {
    for (int i = 0; i < 3; ++i) v[i] /= length;
  }
}

void cross(const double a[3], const double b[3], double out[3]) {
  out[0] = a[1] * b[2] - a[2] * b[1];
  out[1] = a[2] * b[0] - a[0] * b[2];
  out[2] = a[0] * b[1] - a[1] * b[0];
}

int channels_of(GLenum format) {
  switch (format) {
    case GL_RGB: return 3;
    case GL_RGBA: return 4;
    case GL_LUMINANCE: return 1;
    default: return 0;
  }
}

}  // namespace

// The rows of the rotation are the side s = f x up, the true up u = s x f
// and -f, for the unit direction f from the eye to the centre; then the eye
// moves to the origin.
void gluLookAt(GLdouble eye_x, GLdouble eye_y, GLdouble eye_z, GLdouble centre_x,
               GLdouble centre_y, GLdouble centre_z, GLdouble up_x, GLdouble up_y, GLdouble up_z) {
  EXPLORE_CALL("gluLookAt", false, explore_arg(eye_x), explore_arg(eye_y), explore_arg(eye_z),
               explore_arg(centre_x), explore_arg(centre_y), explore_arg(centre_z),
               explore_arg(up_x), explore_arg(up_y), explore_arg(up_z));
  double f[3] = {centre_x - eye_x, centre_y - eye_y, centre_z - eye_z};
  double up[3] = {up_x, up_y, up_z};
  normalise(f);
  double s[3], u[3];
  cross(f, up, s);
  normalise(s);
  cross(s, f, u);
  GLfloat m[16] = {static_cast<GLfloat>(s[0]), static_cast<GLfloat>(u[0]), static_cast<GLfloat>(-f[0]), 0,
                   static_cast<GLfloat>(s[1]), static_cast<GLfloat>(u[1]), static_cast<GLfloat>(-f[1]), 0,
                   static_cast<GLfloat>(s[2]), static_cast<GLfloat>(u[2]), static_cast<GLfloat>(-f[2]), 0,
                   0, 0, 0, 1};
  glMultMatrixf(m);
  glTranslated(-eye_x, -eye_y, -eye_z);
  const double eye[3] = {eye_x, eye_y, eye_z}, centre[3] = {centre_x, centre_y, centre_z};
  gl_layer_looked(eye, centre, up);
}

// Reads the image with the caller's unpack alignment, scales a side that is
// not a power of two to the nearest one, and uploads it and every halving
// down to 1 x 1. The caller's alignment is back in force afterwards.
GLint gluBuild2DMipmaps(GLenum target, GLint internal_format, GLsizei width, GLsizei height,
                        GLenum format, GLenum type, const void *data) {
  const int channels = channels_of(format);
  if (channels == 0 || type != GL_UNSIGNED_BYTE) return GLU_INVALID_ENUM;
  if (width < 1 || height < 1) return GLU_INVALID_VALUE;
  GLint alignment = 4;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  const size_t row = static_cast<size_t>(width) * channels;
  const size_t stride = (row + alignment - 1) / alignment * alignment;
  const unsigned char *in = static_cast<const unsigned char *>(data);
  std::vector<unsigned char> level;
  for (int y = 0; y < height; ++y) level.insert(level.end(), in + y * stride, in + y * stride + row);

  int w = nearest_power_of_two(width), h = nearest_power_of_two(height);
  if (w != width || h != height) level = scale_image(level.data(), width, height, channels, w, h);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  for (int n = 0;; ++n) {
    glTexImage2D(target, n, internal_format, w, h, 0, format, type, level.data());
    if (w == 1 && h == 1) break;
    const int next_w = w > 1 ? w / 2 : 1, next_h = h > 1 ? h / 2 : 1;
    level = scale_image(level.data(), w, h, channels, next_w, next_h);
    w = next_w;
    h = next_h;
  }
  glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
  return 0;
}
