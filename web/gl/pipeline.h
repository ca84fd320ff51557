// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The fixed-function arithmetic of GL 1.1 that the browser lacks: matrices
// as GL keeps them, lighting of one vertex by the GL 1.1 equations, and the
// image scaling of gluBuild2DMipmaps. Pure functions of plain numbers, so
// they build and are tested natively as well as in the browser.
#ifndef WEB_GL_PIPELINE_H
#define WEB_GL_PIPELINE_H

#include "web/webgl/webgl.h"

#include <vector>

// A 4 x 4 matrix in GL's order: column by column.
struct Mat4 {
  float m[16];
};

struct Vec4 {
  float x, y, z, w;
};

Mat4 mat_identity();
// a * b, as glMultMatrix multiplies the current matrix a by b.
Mat4 mat_multiply(const Mat4 &a, const Mat4 &b);
Mat4 mat_translate(float x, float y, float z);
Mat4 mat_scale(float x, float y, float z);
// A rotation of `degrees` about the axis (x, y, z), as glRotatef.
Mat4 mat_rotate(float degrees, float x, float y, float z);
Mat4 mat_frustum(double left, double right, double bottom, double top, double near_plane,
                 double far_plane);
Vec4 mat_apply(const Mat4 &a, const Vec4 &v);
// gluLookAt's rotation: its rows the side s = f x up, the true up u = s x f
// and -f, for the unit direction f from the eye to the centre (in double,
// then as floats); the eye's move to the origin is the caller's.
Mat4 mat_look_rotation(const double eye[3], const double centre[3], const double up[3]);
// The inverse of a, or false where it has none (its determinant is 0).
bool mat_inverse(const Mat4 &a, Mat4 *out);
// The upper 3 x 3 of the inverse transpose of a, which carries normals into
// eye space; its result is not renormalised.
void normal_matrix(const Mat4 &a, float out[9]);
// The normal n in eye space: times the normal matrix (row by row, as
// normal_matrix gives it), then made unit length under GL_NORMALIZE.
void eye_normal(const float normals[9], const float n[3], bool normalize, float out[3]);

// A vertex as drawn: clip-space position, colour, texture coordinate.
struct DrawVertex {
  float clip[4];
  float colour[4];
  float st[2];
};

// Cuts triangles (every three vertices) or lines (every two) at GL's near
// plane, z = -w, keeping what lies in front; the vertices made on the plane
// carry every value interpolated as GL's clipping does. WebGL would clip them
// too, but a vertex in the eye's own plane (w = 0) is not drawn faithfully
// there. `out` is cleared first; its storage is reused.
void clip_near(const std::vector<DrawVertex> &in, bool lines, std::vector<DrawVertex> &out);

// One light, as glLight leaves it: the position is already in eye space.
struct Light {
  bool enabled;
  Vec4 ambient, diffuse, specular, position;
};

struct Material {
  Vec4 ambient, diffuse, specular, emission;
  float shininess;
};

// GL 1.1's lighting of a vertex with the eye-space normal n (as
// transformed, not renormalised), term by term: emission, the global ambient
// times the material's ambient, and for each enabled light its ambient,
// diffuse and specular terms, with the viewer at infinity along +z; and
// their sum, clamped to 0..1, alpha the diffuse alpha.
struct LightTerm {
  int light;  // its index among the lights given
  Vec4 ambient, diffuse, specular;
  float n_dot_l, n_dot_h;  // 0 where the light does not reach the front
};
struct LightTerms {
  Vec4 emission, scene_ambient;
  LightTerm lights[kMaxLights];
  int count;  // of the enabled lights, in `lights`
  Vec4 colour;
};
LightTerms light_terms(const Material &material, const Light *lights, int light_count,
                       const Vec4 &global_ambient, const float n[3], const Vec4 &eye_position);
// The sum alone: the colour the vertex gets.
Vec4 light_vertex(const Material &material, const Light *lights, int light_count,
                  const Vec4 &global_ambient, const float n[3], const Vec4 &eye_position);

// gluBuild2DMipmaps' choice of size for a side: the nearest power of two
// (the larger one on a tie).
int nearest_power_of_two(int side);
// Scales an image of `channels` bytes a pixel, rows packed, from w x h to
// new_w x new_h: a box filter along a side that shrinks, linear
// interpolation along a side that grows.
std::vector<unsigned char> scale_image(const unsigned char *pixels, int w, int h, int channels,
                                       int new_w, int new_h);

#endif
