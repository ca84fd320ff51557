// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// Shapes kept on the GPU and drawn from their buffers, or the CPU's way where
// they cross the near plane; none where they lie wholly outside the picture.
#include "web/gl/batch.h"
#include "web/gl/cpu_path.h"
#include "web/gl/gl_layer.h"
#include "web/gl/state.h"

#include <emscripten.h>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

struct Shape {
  bool lines;
  std::vector<float> xyz, normals;
  float radius;  // of a ball round the origin that holds it
  int mesh;      // the GPU's copy, from webgl_mesh
};
std::vector<Shape> shapes;  // one let go has no mesh (-1), and its handle is the next one's

// A shape's vertices for the CPU's path, kept between frames.
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

int gl_layer_keep_shape(bool lines, std::vector<float> xyz, std::vector<float> normals) {
  float radius = 0;
  for (size_t i = 0; i + 2 < xyz.size(); i += 3) {
    const float *p = &xyz[i];
    radius = std::max(radius, std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]) * 1.001f);
  }
  const int mesh = webgl_mesh(xyz.data(), normals.data(), static_cast<int>(xyz.size() / 3));
  int handle = 0;
  while (handle < static_cast<int>(shapes.size()) && shapes[handle].mesh >= 0) ++handle;
  if (handle == static_cast<int>(shapes.size())) shapes.emplace_back();
  shapes[handle] = {lines, std::move(xyz), std::move(normals), radius, mesh};
  return handle;
}

void gl_layer_drop_shape(int handle) {
  webgl_drop_mesh(shapes[handle].mesh);
  shapes[handle] = {false, {}, {}, 0, -1};
}

// The shapes kept now, for the page's tests.
extern "C" EMSCRIPTEN_KEEPALIVE int web_shapes_kept() {
  return static_cast<int>(
      std::count_if(shapes.begin(), shapes.end(), [](const Shape &s) { return s.mesh >= 0; }));
}

void gl_layer_draw_shape(int handle) {
  const Shape &shape = shapes[handle];
  flush();
  const Reach reach = ball_reach(shape.radius);
  if (reach == Reach::kOutside) return;
  const int count = static_cast<int>(shape.xyz.size() / 3);
  if (cpu_path_needed() || reach == Reach::kAcrossNear) {
    vertices.clear();
    for (int i = 0; i < count; ++i) {
      vertices.push_back(make_vertex(shape.xyz[i * 3], shape.xyz[i * 3 + 1], shape.xyz[i * 3 + 2],
                                     &shape.normals[i * 3]));
    }
    return cpu_path_draw(shape.lines ? GL_LINES : GL_TRIANGLES, vertices.data(), vertices.size());
  }
  const float colour[4] = {gl.colour.x, gl.colour.y, gl.colour.z, gl.colour.w};
  webgl_draw_mesh(shape.lines, draw_state(), shape.mesh, count, colour, gl.st);
}
