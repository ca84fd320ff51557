// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The GL 1.1 calls the viewers make, on WebGL. Matrices, the current colour,
// normal and texture coordinate, lighting and immediate mode live here, as
// GL 1.1 defines them. Vertices go to WebGL in object space with GL's state
// as uniforms, and the shader transforms and lights them; consecutive
// primitives under the same state go out as one draw. What crosses the near
// plane, and lit flat shading, which the shader cannot give, are transformed,
// lit and cut here instead.
#include "web/gl_layer.h"
#include "web/pipeline.h"
#include "web/webgl.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstring>
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
  bool depth_test = false;
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

  // Inside glBegin ... glEnd: the vertices, the clip planes, the planes that
  // every vertex lies outside of (a bit each), and whether one lies behind
  // the near plane.
  GLenum mode = 0;
  bool inside = false;
  std::vector<Vertex> group;
  float planes[6][4];
  unsigned outside = 0;
  bool behind = false;

  // Primitives ended but not yet drawn, all lines or all triangles, under
  // the state as it is: any change of state draws them first.
  std::vector<Vertex> pending;
  bool pending_lines = false;

  // The CPU's own path, kept between frames so that it allocates only once.
  std::vector<Vertex> shape;
  std::vector<DrawVertex> transformed, primitives, cut;
  std::vector<Vertex> finished;
} gl;

void record_error(GLenum error) {
  if (gl.error == GL_NO_ERROR) gl.error = error;
}

// Which material terms GL_COLOR_MATERIAL takes from the current colour:
// emission, ambient, diffuse, specular.
void tracked_terms(bool out[4]) {
  const bool on = gl.colour_material && gl.colour_material_face != GL_BACK;
  const GLenum m = gl.colour_material_mode;
  out[0] = on && m == GL_EMISSION;
  out[1] = on && (m == GL_AMBIENT || m == GL_AMBIENT_AND_DIFFUSE);
  out[2] = on && (m == GL_DIFFUSE || m == GL_AMBIENT_AND_DIFFUSE);
  out[3] = on && m == GL_SPECULAR;
}

void copy4(const Vec4 &v, float out[4]) {
  out[0] = v.x;
  out[1] = v.y;
  out[2] = v.z;
  out[3] = v.w;
}

bool textured() {
  return gl.texture_2d && std::find(gl.complete_textures.begin(), gl.complete_textures.end(),
                                    gl.bound_texture) != gl.complete_textures.end();
}

DrawState draw_state() {
  DrawState s{};
  s.modelview = gl.modelview.back();
  s.projection = gl.projection.back();
  s.lighting = gl.lighting;
  s.normalize = gl.normalize;
  s.textured = textured();
  if (!gl.lighting) return s;
  normal_matrix(s.modelview, s.normals);
  LightingUniforms &l = s.light;
  bool tracked[4];
  tracked_terms(tracked);
  const Vec4 *terms[4] = {&gl.front.emission, &gl.front.ambient, &gl.front.diffuse,
                          &gl.front.specular};
  float *to[4] = {l.emission, l.ambient, l.diffuse, l.specular};
  for (int k = 0; k < 4; ++k) {
    l.tracked[k] = tracked[k];
    if (!tracked[k]) copy4(*terms[k], to[k]);
  }
  l.shininess = gl.front.shininess;
  copy4(gl.global_ambient, l.scene_ambient);
  for (const Light &light : gl.lights) {
    if (!light.enabled) continue;
    copy4(light.ambient, l.light_ambient[l.light_count]);
    copy4(light.diffuse, l.light_diffuse[l.light_count]);
    copy4(light.specular, l.light_specular[l.light_count]);
    copy4(light.position, l.light_position[l.light_count]);
    ++l.light_count;
  }
  return s;
}

// Draws the batched primitives; called before anything they depend on changes.
void flush() {
  if (gl.pending.empty()) return;
  webgl_draw(gl.pending_lines, draw_state(), gl.pending.data(),
             static_cast<int>(gl.pending.size()));
  gl.pending.clear();
}

std::vector<Mat4> &stack() {
  switch (gl.matrix_mode) {
    case GL_PROJECTION: return gl.projection;
    case GL_TEXTURE: return gl.texture;
    default: return gl.modelview;
  }
}

void multiply(const Mat4 &m) {
  flush();
  stack().back() = mat_multiply(stack().back(), m);
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

Vertex make_vertex(float x, float y, float z, const float normal[3]) {
  return {{x, y, z, 1},
          {normal[0], normal[1], normal[2]},
          {gl.colour.x, gl.colour.y, gl.colour.z, gl.colour.w},
          {gl.st[0], gl.st[1]}};
}

// Appends the whole primitives of `mode` among `count` vertices to `out` as
// independent lines or triangles, quads as two triangles each. Flat shading
// gives each primitive the colour of its last vertex, which GL 1.1 takes for
// independent lines, triangles and quads alike.
template <typename V>
void assemble(GLenum mode, const V *in, size_t count, bool flat, std::vector<V> &out) {
  static const int kLine[] = {0, 1}, kTriangle[] = {0, 1, 2}, kQuad[] = {0, 1, 2, 0, 2, 3};
  const int *order = mode == GL_LINES ? kLine : mode == GL_TRIANGLES ? kTriangle : kQuad;
  const size_t size = mode == GL_LINES ? 2 : mode == GL_TRIANGLES ? 3 : 4;
  const size_t length = mode == GL_QUADS ? 6 : size;
  for (size_t first = 0; first + size <= count; first += size) {
    for (size_t k = 0; k < length; ++k) {
      out.push_back(in[first + order[k]]);
      if (flat) {
        const float *last = in[first + size - 1].colour;
        std::copy(last, last + 4, out.back().colour);
      }
    }
  }
}

// The colour of a vertex at `eye`, as the shader computes it.
void colour_on_cpu(const Vertex &in, const Vec4 &eye, const float normals[9], float out[4]) {
  Vec4 c{in.colour[0], in.colour[1], in.colour[2], in.colour[3]};
  if (gl.lighting) {
    Material m = gl.front;
    bool tracked[4];
    tracked_terms(tracked);
    Vec4 *terms[4] = {&m.emission, &m.ambient, &m.diffuse, &m.specular};
    for (int k = 0; k < 4; ++k) {
      if (tracked[k]) *terms[k] = c;
    }
    float n[3];
    eye_normal(normals, in.normal, gl.normalize, n);
    c = light_vertex(m, gl.lights, 8, gl.global_ambient, n, eye);
  }
  auto clamp = [](float v) { return std::min(1.0f, std::max(0.0f, v)); };
  out[0] = clamp(c.x);
  out[1] = clamp(c.y);
  out[2] = clamp(c.z);
  out[3] = clamp(c.w);
}

// Transforms and lights the primitives of `mode` here, cuts them at the near
// plane, and draws them in clip space.
void draw_on_cpu(GLenum mode, const Vertex *v, size_t count) {
  flush();
  const Mat4 &modelview = gl.modelview.back();
  float normals[9];
  normal_matrix(modelview, normals);
  gl.transformed.clear();
  for (size_t i = 0; i < count; ++i) {
    // In the shader's order: the model-view, then the projection.
    const float *p = v[i].position;
    const Vec4 eye = mat_apply(modelview, {p[0], p[1], p[2], 1});
    const Vec4 clip = mat_apply(gl.projection.back(), eye);
    DrawVertex d{{clip.x, clip.y, clip.z, clip.w}, {}, {v[i].st[0], v[i].st[1]}};
    colour_on_cpu(v[i], eye, normals, d.colour);
    gl.transformed.push_back(d);
  }
  gl.primitives.clear();
  assemble(mode, gl.transformed.data(), gl.transformed.size(), !gl.smooth, gl.primitives);
  const bool lines = mode == GL_LINES;
  clip_near(gl.primitives, lines, gl.cut);
  gl.finished.clear();
  for (const DrawVertex &d : gl.cut) {
    gl.finished.push_back({{d.clip[0], d.clip[1], d.clip[2], d.clip[3]},
                           {0, 0, 1},
                           {d.colour[0], d.colour[1], d.colour[2], d.colour[3]},
                           {d.st[0], d.st[1]}});
  }
  webgl_draw_clipped(lines, textured(), gl.finished.data(), static_cast<int>(gl.finished.size()));
}

// GL's clip planes as rows of the model-view-projection: a point p lies
// inside plane k where planes[k] . (p, 1) >= 0. The near plane comes first.
void clip_planes(float planes[6][4]) {
  static const int kAxis[6] = {2, 0, 0, 1, 1, 2};
  static const float kSign[6] = {1, 1, -1, 1, -1, -1};
  const Mat4 mvp = mat_multiply(gl.projection.back(), gl.modelview.back());
  for (int k = 0; k < 6; ++k) {
    for (int column = 0; column < 4; ++column) {
      planes[k][column] = mvp.m[column * 4 + 3] + kSign[k] * mvp.m[column * 4 + kAxis[k]];
    }
  }
}

// Where the points within `radius` of the origin lie: all inside the near
// plane, across it, or all outside one of the planes, where GL draws none.
enum class Reach { kInFront, kAcrossNear, kOutside };

Reach ball_reach(float radius) {
  float planes[6][4];
  clip_planes(planes);
  Reach reach = Reach::kInFront;
  for (int k = 0; k < 6; ++k) {
    const float *p = planes[k];
    const float spread = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]) * radius;
    if (p[3] + spread < 0) return Reach::kOutside;
    if (k == 0 && p[3] - spread <= 0) reach = Reach::kAcrossNear;
  }
  return reach;
}

// The shader lights each vertex, so flat shading of lit primitives is done here.
bool needs_cpu() { return gl.lighting && !gl.smooth; }

void set_light(GLenum light, GLenum parameter, const GLfloat *p) {
  if (light < GL_LIGHT0 || light > GL_LIGHT7) return record_error(GL_INVALID_ENUM);
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
      if (capability >= GL_LIGHT0 && capability <= GL_LIGHT7) {
        change(gl.lights[capability - GL_LIGHT0].enabled, on);
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

void gl_layer_finish() {
  flush();
  webgl_end_frame();
}

void draw_shape(const Shape &shape) {
  flush();
  const Reach reach = ball_reach(shape.radius);
  if (reach == Reach::kOutside) return;
  const int count = static_cast<int>(shape.xyz.size() / 3);
  if (needs_cpu() || reach == Reach::kAcrossNear) {
    gl.shape.clear();
    for (int i = 0; i < count; ++i) {
      gl.shape.push_back(make_vertex(shape.xyz[i * 3], shape.xyz[i * 3 + 1], shape.xyz[i * 3 + 2],
                                     &shape.normals[i * 3]));
    }
    return draw_on_cpu(shape.lines ? GL_LINES : GL_TRIANGLES, gl.shape.data(), gl.shape.size());
  }
  const float colour[4] = {gl.colour.x, gl.colour.y, gl.colour.z, gl.colour.w};
  webgl_draw_mesh(shape.lines, draw_state(), shape.mesh, count, colour, gl.st);
}

// ---- state --------------------------------------------------------------

GLenum glGetError() {
  const GLenum e = gl.error;
  gl.error = GL_NO_ERROR;
  return e;
}

void glEnable(GLenum capability) { set_capability(capability, true); }
void glDisable(GLenum capability) { set_capability(capability, false); }
void glShadeModel(GLenum mode) { change(gl.smooth, mode != GL_FLAT); }
void glFlush() { flush(); }

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
  webgl_depth_range(clamp(near_value), clamp(far_value));
}

// ---- matrices -----------------------------------------------------------

void glMatrixMode(GLenum mode) { gl.matrix_mode = mode; }
void glLoadIdentity() {
  flush();
  stack().back() = mat_identity();
}
void glPushMatrix() { stack().push_back(stack().back()); }

void glPopMatrix() {
  if (stack().size() == 1) return record_error(GL_STACK_UNDERFLOW);
  flush();
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
  flush();
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
  flush();
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
  gl.group.clear();
  clip_planes(gl.planes);
  gl.outside = 0x3f;
  gl.behind = false;
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
  if (!gl.inside) return;
  gl.group.push_back(make_vertex(x, y, z, gl.normal));
  unsigned outside = 0;
  for (int k = 0; k < 6; ++k) {
    const float *p = gl.planes[k];
    if (p[0] * x + p[1] * y + p[2] * z + p[3] < 0) outside |= 1u << k;
  }
  gl.outside &= outside;
  gl.behind = gl.behind || (outside & 1) != 0;
}

void glVertex3fv(const GLfloat *v) { glVertex3f(v[0], v[1], v[2]); }

// The primitives go to the batch, or to the CPU's path when the shader
// cannot draw them as GL would.
void glEnd() {
  if (!gl.inside) return record_error(GL_INVALID_OPERATION);
  gl.inside = false;
  if (gl.mode != GL_LINES && gl.mode != GL_TRIANGLES && gl.mode != GL_QUADS) {
    return record_error(GL_INVALID_ENUM);  // the viewers draw no other primitive
  }
  if (gl.outside != 0) return;  // every vertex outside the same plane: nothing shows
  if (gl.behind || needs_cpu()) return draw_on_cpu(gl.mode, gl.group.data(), gl.group.size());
  const bool lines = gl.mode == GL_LINES;
  if (gl.pending_lines != lines) flush();
  gl.pending_lines = lines;
  assemble(gl.mode, gl.group.data(), gl.group.size(), !gl.smooth, gl.pending);
}

// ---- textures -------------------------------------------------------------

void glBindTexture(GLenum target, GLuint name) {
  if (target != GL_TEXTURE_2D) return record_error(GL_INVALID_ENUM);
  if (name != gl.bound_texture) flush();
  gl.bound_texture = name;
  webgl_bind_texture(name);
}

void glTexParameteri(GLenum target, GLenum parameter, GLint value) {
  if (target != GL_TEXTURE_2D) return record_error(GL_INVALID_ENUM);
  flush();
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
  flush();
  webgl_texture_image(level, width, height, format, static_cast<const unsigned char *>(pixels));
  if (level == 0) gl.complete_textures.push_back(gl.bound_texture);
}
