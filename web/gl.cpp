// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The GL 1.1 calls the viewers make, on WebGL. Matrices, the current colour,
// normal and texture coordinate, lighting and immediate mode live here, as
// GL 1.1 defines them; each glEnd hands WebGL triangles or lines that are
// already transformed and lit.
#include "web/gl_layer.h"
#include "web/pipeline.h"
#include "web/webgl.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// GL's initial state, where a viewer relies on it.
struct State {
  GLenum matrix_mode = GL_MODELVIEW;
  std::vector<Mat4> modelview{mat_identity()};
  std::vector<Mat4> projection{mat_identity()};
  std::vector<Mat4> texture{mat_identity()};

  Vec4 colour{1, 1, 1, 1};
  float normal[3] = {0, 0, 1};
  float st[2] = {0, 0};

  bool lighting = false;
  bool colour_material = false;
  bool texture_2d = false;
  bool smooth = true;
  bool normalize = false;
  GLenum colour_material_face = GL_FRONT_AND_BACK;
  GLenum colour_material_mode = GL_AMBIENT_AND_DIFFUSE;
  Material front{{0.2f, 0.2f, 0.2f, 1}, {0.8f, 0.8f, 0.8f, 1}, {0, 0, 0, 1}, {0, 0, 0, 1}, 0};
  Light lights[8];
  const Vec4 global_ambient{0.2f, 0.2f, 0.2f, 1};  // GL's; the viewers keep it

  GLint viewport[4] = {0, 0, 0, 0};
  GLint unpack_alignment = 4;
  GLuint bound_texture = 0;
  std::vector<GLuint> complete_textures;  // names holding a level-0 image
  GLenum error = GL_NO_ERROR;

  // Inside glBegin ... glEnd.
  GLenum mode = 0;
  bool inside = false;
  float normals[9];  // the model-view's normal matrix for this batch
  std::vector<DrawVertex> batch;
} gl;

void record_error(GLenum error) {
  if (gl.error == GL_NO_ERROR) gl.error = error;
}

std::vector<Mat4> &stack() {
  switch (gl.matrix_mode) {
    case GL_PROJECTION: return gl.projection;
    case GL_TEXTURE: return gl.texture;
    default: return gl.modelview;
  }
}

void multiply(const Mat4 &m) { stack().back() = mat_multiply(stack().back(), m); }

Vec4 clamped(const Vec4 &c) {
  auto f = [](float v) { return std::min(1.0f, std::max(0.0f, v)); };
  return {f(c.x), f(c.y), f(c.z), f(c.w)};
}

void track_colour() {
  if (!gl.colour_material || gl.colour_material_face == GL_BACK) return;
  if (gl.colour_material_mode == GL_AMBIENT || gl.colour_material_mode == GL_AMBIENT_AND_DIFFUSE) {
    gl.front.ambient = gl.colour;
  }
  if (gl.colour_material_mode == GL_DIFFUSE || gl.colour_material_mode == GL_AMBIENT_AND_DIFFUSE) {
    gl.front.diffuse = gl.colour;
  }
  if (gl.colour_material_mode == GL_SPECULAR) gl.front.specular = gl.colour;
  if (gl.colour_material_mode == GL_EMISSION) gl.front.emission = gl.colour;
}

// A vertex through the model-view, lighting and the projection.
DrawVertex transform(float x, float y, float z, const float normal[3]) {
  const Vec4 eye = mat_apply(gl.modelview.back(), {x, y, z, 1});
  const Vec4 clip = mat_apply(gl.projection.back(), eye);
  DrawVertex v{{clip.x, clip.y, clip.z, clip.w}, {}, {gl.st[0], gl.st[1]}};
  Vec4 colour = gl.colour;
  if (gl.lighting) {
    float n[3];
    for (int row = 0; row < 3; ++row) {
      n[row] = gl.normals[row * 3] * normal[0] + gl.normals[row * 3 + 1] * normal[1] +
               gl.normals[row * 3 + 2] * normal[2];
    }
    if (gl.normalize) {
      const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
      if (length > 0) {
        for (float &c : n) c /= length;
      }
    }
    colour = light_vertex(gl.front, gl.lights, 8, gl.global_ambient, n, eye);
  }
  colour = clamped(colour);
  v.colour[0] = colour.x;
  v.colour[1] = colour.y;
  v.colour[2] = colour.z;
  v.colour[3] = colour.w;
  return v;
}

bool textured() {
  return gl.texture_2d && std::find(gl.complete_textures.begin(), gl.complete_textures.end(),
                                    gl.bound_texture) != gl.complete_textures.end();
}

// Flat shading gives each primitive the colour of its last vertex, which
// GL 1.1 takes for independent lines, triangles and quads alike.
void flatten(std::vector<DrawVertex> &v, int size) {
  if (gl.smooth) return;
  for (size_t first = 0; first + size <= v.size(); first += size) {
    for (int k = 0; k < size - 1; ++k) {
      std::copy(v[first + size - 1].colour, v[first + size - 1].colour + 4, v[first + k].colour);
    }
  }
}

void set_light(GLenum light, GLenum parameter, const GLfloat *p) {
  if (light < GL_LIGHT0 || light > GL_LIGHT7) return record_error(GL_INVALID_ENUM);
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

void set_capability(GLenum capability, bool on) {
  switch (capability) {
    case GL_LIGHTING: gl.lighting = on; break;
    case GL_COLOR_MATERIAL:
      gl.colour_material = on;
      track_colour();
      break;
    case GL_TEXTURE_2D: gl.texture_2d = on; break;
    case GL_NORMALIZE: gl.normalize = on; break;
    case GL_DEPTH_TEST: webgl_depth_test(on); break;
    default:
      if (capability >= GL_LIGHT0 && capability <= GL_LIGHT7) {
        gl.lights[capability - GL_LIGHT0].enabled = on;
      }
      break;
  }
}

}  // namespace

void gl_layer_start(bool depth) {
  for (Light &l : gl.lights) {
    l = {false, {0, 0, 0, 1}, {0, 0, 0, 1}, {0, 0, 0, 1}, {0, 0, 1, 0}};
  }
  gl.lights[0].diffuse = gl.lights[0].specular = {1, 1, 1, 1};
  webgl_start(depth);
}

void draw_with_normals(bool lines, const float *xyz, const float *normals, int count) {
  normal_matrix(gl.modelview.back(), gl.normals);
  std::vector<DrawVertex> v;
  v.reserve(count);
  for (int i = 0; i < count; ++i) {
    v.push_back(transform(xyz[i * 3], xyz[i * 3 + 1], xyz[i * 3 + 2], normals + i * 3));
  }
  flatten(v, lines ? 2 : 3);
  webgl_draw(lines, v.data(), count, textured());
}

// ---- state --------------------------------------------------------------

GLenum glGetError() {
  const GLenum e = gl.error;
  gl.error = GL_NO_ERROR;
  return e;
}

void glEnable(GLenum capability) { set_capability(capability, true); }
void glDisable(GLenum capability) { set_capability(capability, false); }
void glShadeModel(GLenum mode) { gl.smooth = mode != GL_FLAT; }
void glFlush() {}

void glGetIntegerv(GLenum name, GLint *values) {
  switch (name) {
    case GL_UNPACK_ALIGNMENT: values[0] = gl.unpack_alignment; break;
    case GL_MATRIX_MODE: values[0] = static_cast<GLint>(gl.matrix_mode); break;
    case GL_TEXTURE_BINDING_2D: values[0] = static_cast<GLint>(gl.bound_texture); break;
    case GL_VIEWPORT: std::copy(gl.viewport, gl.viewport + 4, values); break;
    default: record_error(GL_INVALID_ENUM); break;
  }
}

void glPixelStorei(GLenum name, GLint value) {
  if (name != GL_UNPACK_ALIGNMENT) return;  // packing is never used: nothing is read back
  gl.unpack_alignment = value;
  webgl_unpack_alignment(value);
}

// ---- frame buffer ---------------------------------------------------------

void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) { webgl_clear_colour(r, g, b, a); }

void glClear(GLbitfield mask) {
  webgl_clear((mask & GL_COLOR_BUFFER_BIT) != 0, (mask & GL_DEPTH_BUFFER_BIT) != 0);
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  gl.viewport[0] = x;
  gl.viewport[1] = y;
  gl.viewport[2] = width;
  gl.viewport[3] = height;
  webgl_viewport(x, y, width, height);
}

// GL clamps both values to 0..1.
void glDepthRange(GLclampd near_value, GLclampd far_value) {
  auto clamp = [](double v) { return static_cast<float>(std::min(1.0, std::max(0.0, v))); };
  webgl_depth_range(clamp(near_value), clamp(far_value));
}

// ---- matrices -----------------------------------------------------------

void glMatrixMode(GLenum mode) { gl.matrix_mode = mode; }
void glLoadIdentity() { stack().back() = mat_identity(); }
void glPushMatrix() { stack().push_back(stack().back()); }

void glPopMatrix() {
  if (stack().size() == 1) return record_error(GL_STACK_UNDERFLOW);
  stack().pop_back();
}

void glMultMatrixf(const GLfloat *m) {
  Mat4 a;
  std::copy(m, m + 16, a.m);
  multiply(a);
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z) { multiply(mat_translate(x, y, z)); }

void glTranslated(GLdouble x, GLdouble y, GLdouble z) {
  multiply(mat_translate(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)));
}

void glScalef(GLfloat x, GLfloat y, GLfloat z) { multiply(mat_scale(x, y, z)); }
void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) { multiply(mat_rotate(angle, x, y, z)); }

void glFrustum(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble near_value,
               GLdouble far_value) {
  multiply(mat_frustum(left, right, bottom, top, near_value, far_value));
}

// ---- lighting -------------------------------------------------------------

void glMaterialfv(GLenum face, GLenum parameter, const GLfloat *p) {
  if (face == GL_BACK) return;  // one-sided lighting uses the front material only
  const Vec4 v{p[0], p[1], p[2], p[3]};
  switch (parameter) {
    case GL_AMBIENT: gl.front.ambient = v; break;
    case GL_DIFFUSE: gl.front.diffuse = v; break;
    case GL_AMBIENT_AND_DIFFUSE: gl.front.ambient = gl.front.diffuse = v; break;
    case GL_SPECULAR: gl.front.specular = v; break;
    case GL_EMISSION: gl.front.emission = v; break;
    case GL_SHININESS: gl.front.shininess = p[0]; break;
    default: record_error(GL_INVALID_ENUM); break;  // spot names, say, are not material values
  }
}

void glMaterialf(GLenum face, GLenum parameter, GLfloat value) {
  const GLfloat p[4] = {value, 0, 0, 0};
  if (parameter != GL_SHININESS) return record_error(GL_INVALID_ENUM);
  glMaterialfv(face, parameter, p);
}

void glLightfv(GLenum light, GLenum parameter, const GLfloat *p) { set_light(light, parameter, p); }

void glColorMaterial(GLenum face, GLenum mode) {
  gl.colour_material_face = face;
  gl.colour_material_mode = mode;
  track_colour();
}

// ---- immediate mode -------------------------------------------------------

void glColor3f(GLfloat r, GLfloat g, GLfloat b) {
  gl.colour = {r, g, b, 1};
  track_colour();
}

void glColor3fv(const GLfloat *c) { glColor3f(c[0], c[1], c[2]); }

void glNormal3f(GLfloat x, GLfloat y, GLfloat z) {
  gl.normal[0] = x;
  gl.normal[1] = y;
  gl.normal[2] = z;
}

void glTexCoord2f(GLfloat s, GLfloat t) {
  gl.st[0] = s;
  gl.st[1] = t;
}

void glTexCoord2fv(const GLfloat *st) { glTexCoord2f(st[0], st[1]); }

void glBegin(GLenum mode) {
  gl.mode = mode;
  gl.inside = true;
  gl.batch.clear();
  normal_matrix(gl.modelview.back(), gl.normals);
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
  if (!gl.inside) return;
  gl.batch.push_back(transform(x, y, z, gl.normal));
}

void glVertex3fv(const GLfloat *v) { glVertex3f(v[0], v[1], v[2]); }

void glEnd() {
  if (!gl.inside) return record_error(GL_INVALID_OPERATION);
  gl.inside = false;
  std::vector<DrawVertex> &v = gl.batch;
  switch (gl.mode) {
    case GL_LINES:
      v.resize(v.size() / 2 * 2);
      flatten(v, 2);
      webgl_draw(true, v.data(), static_cast<int>(v.size()), textured());
      break;
    case GL_TRIANGLES:
      v.resize(v.size() / 3 * 3);
      flatten(v, 3);
      webgl_draw(false, v.data(), static_cast<int>(v.size()), textured());
      break;
    case GL_QUADS: {
      std::vector<DrawVertex> triangles;
      for (size_t q = 0; q + 4 <= v.size(); q += 4) {
        if (!gl.smooth) {
          for (int k = 0; k < 3; ++k) std::copy(v[q + 3].colour, v[q + 3].colour + 4, v[q + k].colour);
        }
        for (const size_t k : {0, 1, 2, 0, 2, 3}) triangles.push_back(v[q + k]);
      }
      webgl_draw(false, triangles.data(), static_cast<int>(triangles.size()), textured());
      break;
    }
    default: record_error(GL_INVALID_ENUM); break;  // the viewers draw no other primitive
  }
}

// ---- textures -------------------------------------------------------------

void glBindTexture(GLenum target, GLuint name) {
  if (target != GL_TEXTURE_2D) return record_error(GL_INVALID_ENUM);
  gl.bound_texture = name;
  webgl_bind_texture(name);
}

void glTexParameteri(GLenum target, GLenum parameter, GLint value) {
  if (target != GL_TEXTURE_2D) return record_error(GL_INVALID_ENUM);
  webgl_texture_parameter(parameter, value);
}

// GL_MODULATE is the mode the viewers use, and the only one drawn.
void glTexEnvi(GLenum, GLenum, GLint) {}

void glTexImage2D(GLenum target, GLint level, GLint, GLsizei width, GLsizei height, GLint border,
                  GLenum format, GLenum type, const GLvoid *pixels) {
  if (target != GL_TEXTURE_2D || type != GL_UNSIGNED_BYTE || border != 0 ||
      (format != GL_RGB && format != GL_RGBA && format != GL_LUMINANCE)) {
    return record_error(GL_INVALID_ENUM);
  }
  webgl_texture_image(level, width, height, format, static_cast<const unsigned char *>(pixels));
  if (level == 0) gl.complete_textures.push_back(gl.bound_texture);
}
