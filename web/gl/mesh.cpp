// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// Meshes (GLUT's shapes' points and normals) kept on the GPU and drawn from
// their buffers, or by the CPU path where they cross the near plane; none
// where they lie wholly outside the picture.
#include "web/gl/batch.h"
#include "web/gl/cpu_path.h"
#include "web/gl/gl_layer.h"
#include "web/gl/state.h"

#include <emscripten.h>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

struct Mesh {
  bool lines;
  std::vector<float> xyz, normals;
  float radius;  // of a ball round the origin that holds it
  int gpu;       // its copy on the GPU, from webgl_mesh
};
// One let go has no copy on the GPU (-1), and its handle is the next one's.
std::vector<Mesh> meshes;

// A mesh's vertices for the CPU path, kept between frames.
std::vector<Vertex> vertices;

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

}  // namespace

int gl_layer_keep_mesh(bool lines, std::vector<float> xyz, std::vector<float> normals) {
  float radius = 0;
  for (size_t i = 0; i + 2 < xyz.size(); i += 3) {
    const float *p = &xyz[i];
    radius = std::max(radius, std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]) * 1.001f);
  }
  const int gpu = webgl_mesh(xyz.data(), normals.data(), static_cast<int>(xyz.size() / 3));
  int handle = 0;
  while (handle < static_cast<int>(meshes.size()) && meshes[handle].gpu >= 0) ++handle;
  if (handle == static_cast<int>(meshes.size())) meshes.emplace_back();
  meshes[handle] = {lines, std::move(xyz), std::move(normals), radius, gpu};
  return handle;
}

void gl_layer_drop_mesh(int handle) {
  webgl_drop_mesh(meshes[handle].gpu);
  meshes[handle] = {false, {}, {}, 0, -1};
}

// The meshes kept now, for the page's tests.
extern "C" EMSCRIPTEN_KEEPALIVE int web_meshes_kept() {
  return static_cast<int>(
      std::count_if(meshes.begin(), meshes.end(), [](const Mesh &m) { return m.gpu >= 0; }));
}

void gl_layer_draw_mesh(int handle) {
  const Mesh &mesh = meshes[handle];
  flush();
  const Reach reach = ball_reach(mesh.radius);
  if (reach == Reach::kOutside) return;
  const int count = static_cast<int>(mesh.xyz.size() / 3);
  if (cpu_path_needed() || reach == Reach::kAcrossNear) {
    vertices.clear();
    for (int i = 0; i < count; ++i) {
      vertices.push_back(make_vertex(mesh.xyz[i * 3], mesh.xyz[i * 3 + 1], mesh.xyz[i * 3 + 2],
                                     &mesh.normals[i * 3]));
    }
    return cpu_path_draw(mesh.lines ? GL_LINES : GL_TRIANGLES, vertices.data(), vertices.size());
  }
  const float colour[4] = {gl.colour.x, gl.colour.y, gl.colour.z, gl.colour.w};
  webgl_draw_mesh(mesh.lines, draw_state(), mesh.gpu, count, colour, gl.st);
}
