// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The GL 1.1 calls the viewers make, on WebGL: the entry points, which
// change GL's state (state.cpp) as GL 1.1 defines, and the layer's own for
// GLUT. batch.cpp sends the primitives to WebGL, and the CPU path
// (cpu_path.cpp) those the shader cannot draw as GL would. Nothing below
// calls back into this file.
#include "web/gl/batch.h"
#include "web/gl/cpu_path.h"
#include "web/gl/explore.h"
#include "web/gl/gl_layer.h"
#include "web/gl/state.h"

#include <algorithm>
#include <vector>

namespace {

// The material takes the tracked terms from the current colour.
void track_colour() {
  bool tracked[4];
  tracked_terms(tracked);
  Vec4 *terms[4] = {&gl.front.emission, &gl.front.ambient, &gl.front.diffuse, &gl.front.specular};
  for (int k = 0; k < 4; ++k) {
    if (tracked[k]) *terms[k] = gl.colour;
  }
}

std::vector<Mat4> &stack() {
  return gl.matrix_mode == GL_PROJECTION ? gl.projection : gl.modelview;
}

void multiply(const Mat4 &m) {
  flush();
  stack().back() = mat_multiply(stack().back(), m);
}

void set_light(GLenum light, GLenum parameter, const GLfloat *p) {
  if (light < GL_LIGHT0 || light >= GL_LIGHT0 + kMaxLights) return;
  flush();
  Light &l = gl.lights[light - GL_LIGHT0];
  const Vec4 v{p[0], p[1], p[2], p[3]};
  switch (parameter) {
    case GL_AMBIENT: l.ambient = v; break;
    case GL_DIFFUSE: l.diffuse = v; break;
    case GL_SPECULAR: l.specular = v; break;
    case GL_POSITION: l.position = mat_apply(gl.modelview.back(), v); break;
    default: break;  // spot and attenuation keep their defaults: no spot, no attenuation
  }
}

// Sets a flag, drawing what was batched first if it changes; says whether it did.
bool change(bool &flag, bool on) {
  if (flag == on) return false;
  flush();
  flag = on;
  return true;
}

void set_capability(GLenum capability, bool on) {
  switch (capability) {
    case GL_LIGHTING: change(gl.lighting, on); break;
    case GL_COLOR_MATERIAL:
      change(gl.colour_material, on);
      track_colour();
      break;
    case GL_TEXTURE_2D: change(gl.texture_2d, on); break;
    case GL_NORMALIZE: change(gl.normalize, on); break;
    case GL_DEPTH_TEST:
      if (change(gl.depth_test, on)) webgl_depth_test(on);
      break;
    default:
      if (capability >= GL_LIGHT0 && capability < GL_LIGHT0 + kMaxLights) {
        change(gl.lights[capability - GL_LIGHT0].enabled, on);
      }
      break;
  }
}

}  // namespace

bool gl_layer_bound_texture(int *width, int *height, std::vector<unsigned char> *rgba) {
  flush();
  return webgl_read_texture(gl.bound_texture, width, height, rgba);
}

void gl_layer_looked(const double eye[3], const double centre[3], const double up[3]) {
  for (int k = 0; k < 3; ++k) {
    gl.look[k] = static_cast<float>(eye[k]);
    gl.look[3 + k] = static_cast<float>(centre[k]);
    gl.look[6 + k] = static_cast<float>(up[k]);
  }
  gl.view = gl.modelview.back();
}

WebglProblem gl_layer_start(bool depth) {
  for (Light &l : gl.lights) {
    l = {false, {0, 0, 0, 1}, {0, 0, 0, 1}, {0, 0, 0, 1}, {0, 0, 1, 0}};
  }
  gl.lights[0].diffuse = gl.lights[0].specular = {1, 1, 1, 1};
  return webgl_start(depth);
}

void gl_layer_finish() {
  flush();
  webgl_end_frame();
}

// ---- state --------------------------------------------------------------

void glEnable(GLenum capability) {
  EXPLORE_CALL("glEnable", false, explore_enum(capability));
  set_capability(capability, true);
}
void glDisable(GLenum capability) {
  EXPLORE_CALL("glDisable", false, explore_enum(capability));
  set_capability(capability, false);
}
void glShadeModel(GLenum mode) {
  EXPLORE_CALL("glShadeModel", false, explore_enum(mode));
  change(gl.smooth, mode != GL_FLAT);
}
void glFlush() {
  EXPLORE_CALL("glFlush", false);
  flush();
}

// The unpack alignment is the one value the viewers read back.
void glGetIntegerv(GLenum name, GLint *values) {
  if (name == GL_UNPACK_ALIGNMENT) values[0] = gl.unpack_alignment;
}

void glPixelStorei(GLenum name, GLint value) {
  if (name != GL_UNPACK_ALIGNMENT) return;  // packing is never used: nothing is read back
  gl.unpack_alignment = value;
  webgl_unpack_alignment(value);
}

// ---- frame buffer ---------------------------------------------------------

void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
  EXPLORE_CALL("glClearColor", false, explore_arg(r), explore_arg(g), explore_arg(b),
               explore_arg(a));
  webgl_clear_colour(r, g, b, a);
}

void glClear(GLbitfield mask) {
  EXPLORE_CALL("glClear", true, explore_bits(mask));
  flush();
  webgl_clear((mask & GL_COLOR_BUFFER_BIT) != 0, (mask & GL_DEPTH_BUFFER_BIT) != 0);
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  flush();
  gl.viewport[0] = x;
  gl.viewport[1] = y;
  gl.viewport[2] = width;
  gl.viewport[3] = height;
  webgl_viewport(x, y, width, height);
}

// GL clamps both values to 0..1.
void glDepthRange(GLclampd near_value, GLclampd far_value) {
  auto clamp = [](double v) { return static_cast<float>(std::min(1.0, std::max(0.0, v))); };
  flush();
  gl.depth_range[0] = clamp(near_value);
  gl.depth_range[1] = clamp(far_value);
  webgl_depth_range(gl.depth_range[0], gl.depth_range[1]);
}

// ---- matrices -------------------------------------------------------------

// The model-view and projection stacks; no viewer uses the texture matrix.
void glMatrixMode(GLenum mode) {
  EXPLORE_CALL("glMatrixMode", false, explore_enum(mode));
  gl.matrix_mode = mode;
}
void glLoadIdentity() {
  EXPLORE_CALL("glLoadIdentity", false);
  flush();
  stack().back() = mat_identity();
}
void glPushMatrix() {
  EXPLORE_CALL("glPushMatrix", false);
  stack().push_back(stack().back());
}

void glPopMatrix() {
  EXPLORE_CALL("glPopMatrix", false);
  if (stack().size() == 1) return;  // GL's stack underflow: nothing changes
  flush();
  stack().pop_back();
}

void glMultMatrixf(const GLfloat *m) {
  Mat4 a;
  std::copy(m, m + 16, a.m);
  multiply(a);
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
  EXPLORE_CALL("glTranslatef", false, explore_arg(x), explore_arg(y), explore_arg(z));
  multiply(mat_translate(x, y, z));
}

void glTranslated(GLdouble x, GLdouble y, GLdouble z) {
  EXPLORE_CALL("glTranslated", false, explore_arg(x), explore_arg(y), explore_arg(z));
  multiply(mat_translate(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)));
}

void glScalef(GLfloat x, GLfloat y, GLfloat z) {
  EXPLORE_CALL("glScalef", false, explore_arg(x), explore_arg(y), explore_arg(z));
  multiply(mat_scale(x, y, z));
}
void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
  EXPLORE_CALL("glRotatef", false, explore_arg(angle), explore_arg(x), explore_arg(y),
               explore_arg(z));
  multiply(mat_rotate(angle, x, y, z));
}

void glFrustum(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble near_value,
               GLdouble far_value) {
  multiply(mat_frustum(left, right, bottom, top, near_value, far_value));
}

// ---- lighting -------------------------------------------------------------

void glMaterialfv(GLenum face, GLenum parameter, const GLfloat *p) {
  EXPLORE_CALL("glMaterialfv", false, explore_enum(face), explore_enum(parameter),
               explore_floats(p, parameter == GL_SHININESS ? 1 : 4));
  if (face == GL_BACK) return;  // one-sided lighting uses the front material only
  flush();
  const Vec4 v{p[0], p[1], p[2], p[3]};
  switch (parameter) {
    case GL_AMBIENT: gl.front.ambient = v; break;
    case GL_DIFFUSE: gl.front.diffuse = v; break;
    case GL_AMBIENT_AND_DIFFUSE: gl.front.ambient = gl.front.diffuse = v; break;
    case GL_SPECULAR: gl.front.specular = v; break;
    case GL_EMISSION: gl.front.emission = v; break;
    case GL_SHININESS: gl.front.shininess = p[0]; break;
    default: break;  // spot names, say, are not material values
  }
}

void glMaterialf(GLenum face, GLenum parameter, GLfloat value) {
  EXPLORE_CALL("glMaterialf", false, explore_enum(face), explore_enum(parameter),
               explore_arg(value));
  const GLfloat p[4] = {value, 0, 0, 0};
  if (parameter == GL_SHININESS) glMaterialfv(face, parameter, p);
}

void glLightfv(GLenum light, GLenum parameter, const GLfloat *p) {
  EXPLORE_CALL("glLightfv", false, explore_enum(light), explore_enum(parameter),
               explore_floats(p, 4));
  set_light(light, parameter, p);
}

void glColorMaterial(GLenum face, GLenum mode) {
  EXPLORE_CALL("glColorMaterial", false, explore_enum(face), explore_enum(mode));
  flush();
  gl.colour_material_face = face;
  gl.colour_material_mode = mode;
  track_colour();
}

// ---- immediate mode -------------------------------------------------------

void glColor3f(GLfloat r, GLfloat g, GLfloat b) {
  EXPLORE_CALL("glColor3f", false, explore_arg(r), explore_arg(g), explore_arg(b));
  gl.colour = {r, g, b, 1};
  track_colour();
}

void glTexCoord2f(GLfloat s, GLfloat t) {
  EXPLORE_CALL("glTexCoord2f", false, explore_arg(s), explore_arg(t));
  gl.st[0] = s;
  gl.st[1] = t;
}

void glTexCoord2fv(const GLfloat *st) {
  EXPLORE_CALL("glTexCoord2fv", false, explore_floats(st, 2));
  glTexCoord2f(st[0], st[1]);
}

void glBegin(GLenum primitive) {
  EXPLORE_CALL("glBegin", false, explore_enum(primitive));
  immediate.mode = primitive;
  immediate.inside = true;
  immediate.group.clear();
  clip_planes(immediate.planes);
  immediate.outside = 0x3f;
  immediate.behind = false;
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
  EXPLORE_CALL("glVertex3f", false, explore_arg(x), explore_arg(y), explore_arg(z));
  if (!immediate.inside) return;
  immediate.group.push_back(make_vertex(x, y, z, kNormal));
  unsigned out = 0;
  for (int k = 0; k < 6; ++k) {
    const float *p = immediate.planes[k];
    if (p[0] * x + p[1] * y + p[2] * z + p[3] < 0) out |= 1u << k;
  }
  immediate.outside &= out;
  immediate.behind = immediate.behind || (out & 1) != 0;
}

void glVertex3fv(const GLfloat *v) {
  EXPLORE_CALL("glVertex3fv", false, explore_floats(v, 3));
  glVertex3f(v[0], v[1], v[2]);
}

// The primitives go to the batch, or take the CPU path when the shader
// cannot draw them as GL would. The viewers draw lines, triangles and quads
// only.
void glEnd() {
  EXPLORE_CALL("glEnd", true);
  Immediate &i = immediate;
  if (!i.inside) return;
  i.inside = false;
  if (i.mode != GL_LINES && i.mode != GL_TRIANGLES && i.mode != GL_QUADS) return;
  if (i.outside != 0) return;  // every vertex outside the same plane: nothing shows
  if (i.behind || cpu_path_needed()) return cpu_path_draw(i.mode, i.group.data(), i.group.size());
  batch(i.mode, i.group.data(), i.group.size());
}

// ---- textures -------------------------------------------------------------

void glBindTexture(GLenum target, GLuint name) {
  EXPLORE_CALL("glBindTexture", false, explore_enum(target), explore_name(name));
  if (target != GL_TEXTURE_2D) return;
  if (name != gl.bound_texture) flush();
  gl.bound_texture = name;
  webgl_bind_texture(name);
}

void glTexParameteri(GLenum target, GLenum parameter, GLint value) {
  if (target != GL_TEXTURE_2D) return;
  flush();
  webgl_texture_parameter(parameter, value);
}

// GL_MODULATE is the mode the viewers use, and the only one drawn.
void glTexEnvi(GLenum target, GLenum parameter, GLint value) {
  EXPLORE_CALL("glTexEnvi", false, explore_enum(target), explore_enum(parameter),
               explore_enum(value));
}

void glTexImage2D(GLenum target, GLint level, GLint, GLsizei width, GLsizei height, GLint border,
                  GLenum format, GLenum type, const GLvoid *pixels) {
  if (target != GL_TEXTURE_2D || type != GL_UNSIGNED_BYTE || border != 0 ||
      (format != GL_RGB && format != GL_RGBA && format != GL_LUMINANCE)) {
    return;
  }
  flush();
  webgl_texture_image(level, width, height, format, static_cast<const unsigned char *>(pixels));
  if (level == 0) gl.complete_textures.push_back(gl.bound_texture);
}
