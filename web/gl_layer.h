// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// What the GL layer offers the GLU and GLUT parts beside the GL calls.
#ifndef WEB_GL_LAYER_H
#define WEB_GL_LAYER_H

#include <vector>

// A shape of GLUT's at one size and tessellation: triangles (or lines) whose
// vertices carry normals of their own, on the CPU and in a buffer on the GPU.
struct Shape {
  bool lines;
  std::vector<float> xyz, normals;
  float radius;  // of a ball round the origin that holds it
  int mesh;      // the GPU's copy, from webgl_mesh
};

// Draws a shape at the current matrices, lit and coloured like any vertex;
// the current normal is left as it was. One that crosses the near plane is
// cut on the CPU, as immediate mode's primitives are.
void draw_shape(const Shape &shape);

// Opens the layer on the page's canvas; GLUT calls it when the window opens.
void gl_layer_start(bool depth);

// Draws what immediate mode has batched; the frame can then be shown.
void gl_layer_finish();

#endif
