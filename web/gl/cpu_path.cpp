// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The CPU path: primitives transformed, lit and cut at the near plane here,
// for what crosses that plane and for lit flat faces, then drawn in clip space.
#include "web/gl/cpu_path.h"

#include "web/gl/assemble.h"
#include "web/gl/batch.h"
#include "web/gl/state.h"

#include <algorithm>

namespace {

// Kept between frames, so that the path allocates only once.
std::vector<DrawVertex> transformed, primitives, cut;
std::vector<Vertex> finished;

// The colour of a vertex at `eye`, as the shader computes it.
void vertex_colour(const Vertex &in, const Vec4 &eye, const float normals[9], float out[4]) {
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
    c = light_vertex(m, gl.lights, kMaxLights, gl.global_ambient, n, eye);
  }
  auto clamp = [](float v) { return std::min(1.0f, std::max(0.0f, v)); };
  out[0] = clamp(c.x);
  out[1] = clamp(c.y);
  out[2] = clamp(c.z);
  out[3] = clamp(c.w);
}

}  // namespace

void clip_planes(float planes[6][4]) {
  static const int kAxis[6] = {2, 0, 0, 1, 1, 2};
  static const float kSign[6] = {1, 1, -1, 1, -1, -1};
  const Mat4 mvp = mat_multiply(projection_drawn(), gl.modelview.back());
  for (int k = 0; k < 6; ++k) {
    for (int column = 0; column < 4; ++column) {
      planes[k][column] = mvp.m[column * 4 + 3] + kSign[k] * mvp.m[column * 4 + kAxis[k]];
    }
  }
}

// The shader lights each vertex, so flat shading of lit primitives is done here.
bool cpu_path_needed() { return gl.lighting && !gl.smooth; }

void cpu_path_draw(GLenum mode, const Vertex *v, size_t count) {
  flush();
  const Mat4 &modelview = gl.modelview.back();
  const Mat4 projection = projection_drawn();
  float normals[9];
  normal_matrix(modelview, normals);
  transformed.clear();
  for (size_t i = 0; i < count; ++i) {
    // In the shader's order: the model-view, then the projection.
    const float *p = v[i].position;
    const Vec4 eye = mat_apply(modelview, {p[0], p[1], p[2], 1});
    const Vec4 clip = mat_apply(projection, eye);
    DrawVertex d{{clip.x, clip.y, clip.z, clip.w}, {}, {v[i].st[0], v[i].st[1]}};
    vertex_colour(v[i], eye, normals, d.colour);
    transformed.push_back(d);
  }
  primitives.clear();
  assemble(mode, transformed.data(), transformed.size(), !gl.smooth, primitives);
  const bool lines = mode == GL_LINES;
  clip_near(primitives, lines, cut);
  finished.clear();
  for (const DrawVertex &d : cut) {
    finished.push_back({{d.clip[0], d.clip[1], d.clip[2], d.clip[3]},
                        {0, 0, 1},
                        {d.colour[0], d.colour[1], d.colour[2], d.colour[3]},
                        {d.st[0], d.st[1]}});
  }
  webgl_draw_clipped(lines, textured(), finished.data(), static_cast<int>(finished.size()));
}
