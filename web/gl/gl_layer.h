// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// What the GL layer offers the layers above it beside the GL calls.
#ifndef WEB_GL_GL_LAYER_H
#define WEB_GL_GL_LAYER_H

#include "web/gl/limits.h"
#include "web/webgl/webgl.h"

#include <vector>

// Opens the layer on the page's canvas; GLUT calls it when the window opens.
// Says what kept WebGL from starting, as webgl_start does.
WebglProblem gl_layer_start(bool depth);

// Draws what immediate mode has batched; the frame can then be shown. Once
// a frame.
void gl_layer_finish();

// Keeps a shape until it is let go: triangles (or lines) whose vertices
// carry normals of their own, on the CPU and in a buffer on the GPU. Returns
// its handle for gl_layer_draw_shape.
int gl_layer_keep_shape(bool lines, std::vector<float> xyz, std::vector<float> normals);
// Lets a kept shape go, its arrays and its buffer; its handle may be the
// next kept shape's.
void gl_layer_drop_shape(int shape);

// The bound texture's first level as RGBA rows from the bottom up, for the
// explorer's picture of it; false where it has none.
bool gl_layer_bound_texture(int *width, int *height, std::vector<unsigned char> *rgba);

// Draws a kept shape at the current matrices, lit and coloured like any
// vertex; the current normal is left as it was. One that crosses the near
// plane is cut on the CPU, as immediate mode's primitives are.
void gl_layer_draw_shape(int shape);

#endif
