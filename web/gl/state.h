// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// GL 1.1's state as the GL layer keeps it, and what the layer's files share.
#ifndef WEB_GL_STATE_H
#define WEB_GL_STATE_H

#include "web/gl/pipeline.h"
#include "web/webgl/webgl.h"

#include <GL/gl.h>

#include <cstddef>
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

  GLint unpack_alignment = 4;
  GLuint bound_texture = 0;
  std::vector<GLuint> complete_textures;  // names holding a level-0 image
};
extern State gl;

// gl.cpp: which material terms GL_COLOR_MATERIAL takes from the current
// colour (emission, ambient, diffuse, specular); whether the bound texture
// is drawn; a vertex with the current colour and texture coordinate.
void tracked_terms(bool out[4]);
bool textured();
Vertex make_vertex(float x, float y, float z, const float normal[3]);

// gl.cpp: puts back a state kept before, immediate mode closed, and WebGL's
// own state (the bound texture, the depth test) with it.
void put_back_state(const State &kept);

// batch.cpp: GL's state as a WebGL draw takes it; the whole primitives of
// `mode` appended to the batch; the batch drawn, as it must be before
// anything it depends on changes.
DrawState draw_state();
void batch(GLenum mode, const Vertex *vertices, size_t count);
void flush();

// cpu_path.cpp: GL's clip planes as rows of the model-view-projection, the
// near plane first: a point p lies inside plane k where planes[k] . (p, 1)
// >= 0. Whether everything lit goes the CPU's way: lit flat shading, which
// the shader cannot give. And the primitives of `mode` transformed, lit and
// cut at the near plane here, then drawn in clip space.
void clip_planes(float planes[6][4]);
bool needs_cpu();
void draw_on_cpu(GLenum mode, const Vertex *vertices, size_t count);

#endif
