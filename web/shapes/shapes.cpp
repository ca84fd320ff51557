// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// GLUT's cube and spheres, with the desktop's size and tessellation: their
// points and normals, built once for each size and kept by the GL layer as
// a mesh.
#include "web/gl/explore.h"
#include "web/gl/gl_layer.h"

#include <GL/glut.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

// A point of a unit sphere: stack i of `stacks` from the +z pole, slice j of
// `slices` turning from +x towards -y.
void sphere_point(int i, int stacks, int j, int slices, float out[3]) {
  const double down = M_PI * i / stacks, round = -2 * M_PI * j / slices;
  out[0] = static_cast<float>(std::sin(down) * std::cos(round));
  out[1] = static_cast<float>(std::sin(down) * std::sin(round));
  out[2] = static_cast<float>(std::cos(down));
}

// A unit sphere's points in drawing order, which are also its normals.
std::vector<float> sphere_normals(bool wire, int slices, int stacks) {
  std::vector<float> normals;
  auto add = [&](int i, int j) {
    float n[3];
    sphere_point(i, stacks, j, slices, n);
    normals.insert(normals.end(), n, n + 3);
  };
  if (wire) {
    // Each slice from pole to pole, then a closed ring at each stack between.
    for (int j = 0; j < slices; ++j) {
      for (int i = 0; i < stacks; ++i) {
        add(i, j);
        add(i + 1, j);
      }
    }
    for (int i = 1; i < stacks; ++i) {
      for (int j = 0; j < slices; ++j) {
        add(i, j);
        add(i, j + 1);
      }
    }
    return normals;
  }
  // Triangles from the +z pole down: a fan round each pole, two triangles a
  // slice between neighbouring stacks.
  for (int j = 0; j < slices; ++j) {
    add(1, j);
    add(0, j);
    add(1, j + 1);
  }
  for (int i = 1; i + 1 < stacks; ++i) {
    for (int j = 0; j < slices; ++j) {
      add(i + 1, j);
      add(i, j);
      add(i + 1, j + 1);
      add(i + 1, j + 1);
      add(i, j);
      add(i, j + 1);
    }
  }
  for (int j = 0; j < slices; ++j) {
    add(stacks, j);
    add(stacks - 1, j);
    add(stacks - 1, j + 1);
  }
  return normals;
}

// Six faces, each two triangles of its corners in turn: +z, +x, +y, -x, -y, -z.
void cube(double size, std::vector<float> &xyz, std::vector<float> &normals) {
  static const float kCorners[6][4][3] = {
      {{1, 1, 1}, {-1, 1, 1}, {-1, -1, 1}, {1, -1, 1}},
      {{1, 1, 1}, {1, -1, 1}, {1, -1, -1}, {1, 1, -1}},
      {{1, 1, 1}, {1, 1, -1}, {-1, 1, -1}, {-1, 1, 1}},
      {{-1, 1, 1}, {-1, 1, -1}, {-1, -1, -1}, {-1, -1, 1}},
      {{-1, -1, -1}, {1, -1, -1}, {1, -1, 1}, {-1, -1, 1}},
      {{1, -1, -1}, {-1, -1, -1}, {-1, 1, -1}, {1, 1, -1}},
  };
  static const float kNormals[6][3] = {{0, 0, 1},  {1, 0, 0},  {0, 1, 0},
                                       {-1, 0, 0}, {0, -1, 0}, {0, 0, -1}};
  const float half = static_cast<float>(size / 2);
  for (int face = 0; face < 6; ++face) {
    for (int k : {0, 1, 2, 0, 2, 3}) {
      for (int c = 0; c < 3; ++c) {
        xyz.push_back(kCorners[face][k][c] * half);
        normals.push_back(kNormals[face][c]);
      }
    }
  }
}

// The program's own shapes are built once for their size and tessellation,
// since a viewer draws the same ones every frame, and kept for the page's
// life. A shape that only an edit in the explorer asks for is one of the
// last kEditedShapes such kept, and all of them are let go when the edits
// are undone (or the explorer closes): stepping a radius keeps no more.
enum class Kind { kSolidCube, kSolidSphere, kWireSphere };
constexpr std::size_t kEditedShapes = 4;

struct Built {
  Kind kind;
  double size;
  int slices, stacks;
  int mesh;       // the GL layer's handle
  unsigned used;  // when an edited frame last drew it
};
std::vector<Built> built, edited;
unsigned edited_draws = 0;

bool same(const Built &b, Kind kind, double size, int slices, int stacks) {
  return b.kind == kind && b.size == size && b.slices == slices && b.stacks == stacks;
}

// A sphere finer than the layer keeps is built at its finest.
Built build(Kind kind, double size, int slices, int stacks) {
  std::vector<float> xyz, normals;
  if (kind == Kind::kSolidCube) {
    cube(size, xyz, normals);
  } else {
    normals = sphere_normals(kind == Kind::kWireSphere, std::min(slices, kMaxSphereSlices),
                             std::min(stacks, kMaxSphereStacks));
    for (const float n : normals) xyz.push_back(static_cast<float>(n * size));
  }
  const int mesh =
      gl_layer_keep_mesh(kind == Kind::kWireSphere, std::move(xyz), std::move(normals));
  return {kind, size, slices, stacks, mesh, 0};
}

void let_edited_go() {
  for (const Built &b : edited) gl_layer_drop_mesh(b.mesh);
  edited.clear();
}

int edited_mesh(Kind kind, double size, int slices, int stacks) {
  ++edited_draws;
  for (Built &b : edited) {
    if (same(b, kind, size, slices, stacks)) {
      b.used = edited_draws;
      return b.mesh;
    }
  }
  if (edited.size() == kEditedShapes) {  // the one drawn longest ago goes
    auto oldest = edited.begin();
    for (auto b = edited.begin(); b != edited.end(); ++b) {
      if (b->used < oldest->used) oldest = b;
    }
    gl_layer_drop_mesh(oldest->mesh);
    edited.erase(oldest);
  }
  explore_when_undone(let_edited_go);
  edited.push_back(build(kind, size, slices, stacks));
  edited.back().used = edited_draws;
  return edited.back().mesh;
}

// The mesh of a shape of this size and tessellation.
int mesh_of(Kind kind, double size, int slices, int stacks) {
  for (const Built &b : built) {
    if (same(b, kind, size, slices, stacks)) return b.mesh;
  }
  if (explore_redrawing()) return edited_mesh(kind, size, slices, stacks);
  built.push_back(build(kind, size, slices, stacks));
  return built.back().mesh;
}

void draw_sphere(bool wire, double radius, int slices, int stacks) {
  if (slices < 2 || stacks < 2) return;
  gl_layer_draw_mesh(
      mesh_of(wire ? Kind::kWireSphere : Kind::kSolidSphere, radius, slices, stacks));
}

}  // namespace

void glutSolidCube(double size) {
  EXPLORE_CALL("glutSolidCube", true, explore_arg(size));
  gl_layer_draw_mesh(mesh_of(Kind::kSolidCube, size, 0, 0));
}

// Points of a sphere about the z axis, from the +z pole down; each point's
// normal points outwards.
void glutSolidSphere(double radius, int slices, int stacks) {
  EXPLORE_CALL("glutSolidSphere", true, explore_arg(radius), explore_arg(slices),
               explore_arg(stacks));
  draw_sphere(false, radius, slices, stacks);
}
void glutWireSphere(double radius, int slices, int stacks) {
  EXPLORE_CALL("glutWireSphere", true, explore_arg(radius), explore_arg(slices),
               explore_arg(stacks));
  draw_sphere(true, radius, slices, stacks);
}
