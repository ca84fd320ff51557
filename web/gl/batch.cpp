// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// Immediate mode's batch: consecutive primitives under the same state go to
// WebGL as one draw, in object space, with GL's state as the shader's uniforms.
#include "web/gl/batch.h"

#include "web/gl/assemble.h"
#include "web/gl/state.h"

#include <algorithm>

namespace {

// Primitives ended but not yet drawn, all lines or all triangles, under the
// state as it is: any change of state draws them first.
std::vector<Vertex> pending;
bool pending_lines = false;

void copy4(const Vec4 &v, float out[4]) {
  out[0] = v.x;
  out[1] = v.y;
  out[2] = v.z;
  out[3] = v.w;
}

}  // namespace

DrawState draw_state() {
  DrawState s{};
  const Mat4 &modelview = gl.modelview.back();
  std::copy(modelview.m, modelview.m + 16, s.modelview);
  const Mat4 projection = projection_drawn();
  std::copy(projection.m, projection.m + 16, s.projection);
  s.lighting = gl.lighting;
  s.normalize = gl.normalize;
  s.textured = textured();
  if (!gl.lighting) return s;
  normal_matrix(modelview, s.normals);
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

void batch(GLenum mode, const Vertex *vertices, size_t count) {
  const bool lines = mode == GL_LINES;
  if (pending_lines != lines) flush();
  pending_lines = lines;
  assemble(mode, vertices, count, !gl.smooth, pending);
}

void flush() {
  if (pending.empty()) return;
  webgl_draw(pending_lines, draw_state(), pending.data(), static_cast<int>(pending.size()));
  pending.clear();
}
