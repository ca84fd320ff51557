// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The scene from outside: the program's display under the observer's
// projection, then the program's eye and view volume in lines over it,
// on a canvas of its own.
#include "web/gl/outside.h"

#include "web/gl/batch.h"
#include "web/gl/pipeline.h"
#include "web/gl/state.h"
#include "web/webgl/webgl.h"

#include <cmath>
#include <vector>

namespace {

State kept;
Mat4 observer;
int size_drawn = 0;
float far_corners[8];

Vec4 world_of(const Mat4 &from, float x, float y, float z) {
  const Vec4 p = mat_apply(from, {x, y, z, 1});
  return {p.x / p.w, p.y / p.w, p.z / p.w, 1};
}

void line(std::vector<Vertex> *out, const Vec4 &a, const Vec4 &b, const float colour[4]) {
  for (const Vec4 &p : {a, b}) {
    out->push_back({{p.x, p.y, p.z, 1}, {0, 0, 1}, {colour[0], colour[1], colour[2], 1}, {0, 0}});
  }
}

// The observer's view and projection, world to clip.
Mat4 observer_of(const double pose[6]) {
  const double yaw = pose[4] * M_PI / 180, pitch = pose[5] * M_PI / 180;
  const double eye[3] = {pose[0] + pose[3] * std::cos(pitch) * std::sin(yaw),
                         pose[1] + pose[3] * std::sin(pitch),
                         pose[2] + pose[3] * std::cos(pitch) * std::cos(yaw)};
  const double up[3] = {0, 1, 0};
  const Mat4 view =
      mat_multiply(mat_look_rotation(eye, pose, up),
                   mat_translate(static_cast<float>(-eye[0]), static_cast<float>(-eye[1]),
                                 static_cast<float>(-eye[2])));
  const float f = static_cast<float>(1 / std::tan(25 * M_PI / 180)), near_plane = 0.1f;
  Mat4 projection{};
  projection.m[0] = projection.m[5] = f;
  projection.m[10] = projection.m[11] = -1;
  projection.m[14] = -2 * near_plane;
  return mat_multiply(projection, view);
}

}  // namespace

bool outside_begin(const double pose[6], int size) {
  flush();
  if (!webgl_draw_to(WebglCanvas::kOutside)) return false;
  kept = gl;
  observer = observer_of(pose);
  size_drawn = size;
  // The observer's projection after the program's model-view: its view
  // undone, then the observer's.
  Mat4 unview = mat_identity(), unproject = mat_identity();
  mat_inverse(gl.view, &unview);
  const Mat4 drawn = mat_multiply(observer, unview);
  project_with(&drawn);
  mat_inverse(drawn, &unproject);
  const Mat4 &projection = gl.projection.back();
  webgl_volume(projection.m, mat_multiply(projection, unproject).m);
  webgl_look(Look::kOutside);
  webgl_viewport(0, 0, size, size);
  return true;
}

void outside_end(bool axes) {
  flush();
  webgl_look(Look::kDrawn);
  project_with(nullptr);
  const Mat4 chosen = gl.modelview.back();
  put_state(kept);
  // The volume: clip space's corners taken back to the world.
  Mat4 from_clip = mat_identity(), from_eye = mat_identity();
  mat_inverse(mat_multiply(gl.projection.back(), gl.view), &from_clip);
  mat_inverse(gl.view, &from_eye);
  Vec4 corner[8];
  for (int k = 0; k < 8; ++k) {
    corner[k] = world_of(from_clip, k & 1 ? 1 : -1, k & 2 ? 1 : -1, k & 4 ? 1 : -1);
  }
  static const float kVolume[4] = {1, 0.85f, 0.1f, 1}, kLook[4] = {0.2f, 0.9f, 1, 1},
                     kUp[4] = {1, 0.3f, 1, 1}, kEye[4] = {1, 1, 1, 1};
  static const float kAxes[3][4] = {{1, 0.2f, 0.2f, 1}, {0.2f, 1, 0.2f, 1}, {0.3f, 0.5f, 1, 1}};
  std::vector<Vertex> lines;
  for (int a = 0; a < 8; ++a) {
    for (int bit : {1, 2, 4}) {
      if (!(a & bit)) line(&lines, corner[a], corner[a | bit], kVolume);
    }
  }
  const Vec4 eye{gl.look[0], gl.look[1], gl.look[2], 1};
  const Vec4 centre{gl.look[3], gl.look[4], gl.look[5], 1};
  const Vec4 up = world_of(from_eye, 0, 1, 0);
  line(&lines, eye, centre, kLook);
  line(&lines, eye, up, kUp);
  for (int k = 0; k < 3; ++k) {
    Vec4 a = eye, b = eye;
    (&a.x)[k] -= 0.25f;
    (&b.x)[k] += 0.25f;
    line(&lines, a, b, kEye);
  }
  if (axes) {
    // The chosen translate's axes, a unit each, in the world.
    const Mat4 local = mat_multiply(from_eye, chosen);
    const Vec4 origin = world_of(local, 0, 0, 0);
    for (int k = 0; k < 3; ++k) {
      line(&lines, origin, world_of(local, k == 0, k == 1, k == 2), kAxes[k]);
    }
  }
  DrawState state{};
  std::copy(observer.m, observer.m + 16, state.projection);
  const Mat4 one = mat_identity();
  std::copy(one.m, one.m + 16, state.modelview);
  webgl_depth_test(false);  // over the scene, walls and all
  webgl_draw(true, state, lines.data(), static_cast<int>(lines.size()));
  webgl_depth_test(gl.depth_test);
  webgl_draw_to(WebglCanvas::kPicture);
  for (int k = 0; k < 4; ++k) {
    static const int kFar[4] = {4, 6, 7, 5};  // bottom left, top left, top right, bottom right
    const Vec4 c = mat_apply(observer, corner[kFar[k]]);
    far_corners[k * 2] = (c.x / c.w + 1) * size_drawn / 2;
    far_corners[k * 2 + 1] = (c.y / c.w + 1) * size_drawn / 2;
  }
}

const float *outside_far_corners() { return far_corners; }
