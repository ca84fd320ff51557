// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// GL 1.1's state as the GL layer keeps it, in one place: the state, what
// the layer's other files ask of it, its copies kept for the explorer, and
// the state as JSON. It calls only WebGL.
#ifndef WEB_GL_STATE_H
#define WEB_GL_STATE_H

#include "web/gl/pipeline.h"
#include "web/webgl/webgl.h"

#include <GL/gl.h>

#include <vector>

// GL's initial state, where a viewer relies on it.
struct State {
  GLenum matrix_mode = GL_MODELVIEW;
  std::vector<Mat4> modelview{mat_identity()};
  std::vector<Mat4> projection{mat_identity()};

  Vec4 colour{1, 1, 1, 1};
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
  Light lights[kMaxLights];
  Vec4 global_ambient{0.2f, 0.2f, 0.2f, 1};  // GL's; no viewer changes it

  // The look-at as gluLookAt last gave it (eye, centre, up) and the
  // model-view it left: the program's view, which the outside view undoes.
  float look[9] = {0, 0, 0, 0, 0, -1, 0, 1, 0};
  Mat4 view = mat_identity();

  int viewport[4] = {0, 0, 0, 0};  // x, y, width, height, as glViewport set them
  float depth_range[2] = {0, 1};

  GLint unpack_alignment = 4;
  GLuint bound_texture = 0;
  std::vector<GLuint> complete_textures;  // names holding a level-0 image
};
extern State gl;

// Immediate mode between glBegin and glEnd: the primitive, its vertices, the
// clip planes, the planes that every vertex lies outside of (a bit each),
// and whether one lies behind the near plane.
struct Immediate {
  GLenum mode = 0;
  bool inside = false;
  std::vector<Vertex> group;
  float planes[6][4];
  unsigned outside = 0;
  bool behind = false;
};
extern Immediate immediate;

// Which material terms GL_COLOR_MATERIAL takes from the current colour
// (emission, ambient, diffuse, specular); whether the bound texture is
// drawn; a vertex with the current colour and texture coordinate.
void tracked_terms(bool out[4]);
bool textured();
Vertex make_vertex(float x, float y, float z, const float normal[3]);

// The current normal: GL's initial one, since no viewer gives another (the
// shapes carry their own).
constexpr float kNormal[3] = {0, 0, 1};

// The projection as drawn: GL's own, or with the near or the far plane of
// the view volume moved out, for the explorer's question of what that plane
// cut (NoPlane, NearPlane or FarPlane).
enum MovedPlane { kNoPlane, kNearPlane, kFarPlane };
void move_plane_out(MovedPlane plane);
// Or, for the outside view, the projection given here in place of GL's
// (null: GL's again).
void project_with(const Mat4 *projection);
Mat4 projection_drawn();

// GL's whole state kept, as the held frame begins or as it ends; and put
// back, immediate mode closed and WebGL's own state (the bound texture, the
// depth test) with it. Nothing may be batched as it is put back (flush
// first: the batch lies above the state).
void keep_state(bool at_start);
void put_back_state(bool at_start);
// The same for a copy kept elsewhere.
void put_state(const State &kept);

// GL 1.1's state now, as the explorer shows it: the matrices as they read
// (column by column), the stacks' depths, the current colour, the front
// material and what colour material tracks, the enabled lights in eye space,
// the capabilities and the bound texture.
const char *state_json();

#endif
