// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The two GLU calls the viewers make, on the GL layer.
#include "web/gl/explore.h"
#include "web/gl/gl_layer.h"
#include "web/gl/pipeline.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <vector>

namespace {

int channels_of(GLenum format) {
  switch (format) {
    case GL_RGB: return 3;
    case GL_RGBA: return 4;
    case GL_LUMINANCE: return 1;
    default: return 0;
  }
}

}  // namespace

// The rotation of the look-at (pipeline.h), then the eye moves to the
// origin.
void gluLookAt(GLdouble eye_x, GLdouble eye_y, GLdouble eye_z, GLdouble centre_x, GLdouble centre_y,
               GLdouble centre_z, GLdouble up_x, GLdouble up_y, GLdouble up_z) {
  EXPLORE_CALL("gluLookAt", false, explore_arg(eye_x), explore_arg(eye_y), explore_arg(eye_z),
               explore_arg(centre_x), explore_arg(centre_y), explore_arg(centre_z),
               explore_arg(up_x), explore_arg(up_y), explore_arg(up_z));
  const double eye[3] = {eye_x, eye_y, eye_z}, centre[3] = {centre_x, centre_y, centre_z};
  const double up[3] = {up_x, up_y, up_z};
  const Mat4 m = mat_look_rotation(eye, centre, up);
  glMultMatrixf(m.m);
  glTranslated(-eye_x, -eye_y, -eye_z);
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
