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

// Keeps a mesh (a GLUT shape's points) until it is let go: triangles (or
// lines) whose vertices carry normals of their own, on the CPU and in a
// buffer on the GPU. Returns its handle for gl_layer_draw_mesh.
int gl_layer_keep_mesh(bool lines, std::vector<float> xyz, std::vector<float> normals);
// Lets a kept mesh go, its arrays and its buffer; its handle may be the
// next kept mesh's.
void gl_layer_drop_mesh(int mesh);

// The bound texture's first level as RGBA rows from the bottom up, for the
// explorer's picture of it; false where it has none.
bool gl_layer_bound_texture(int *width, int *height, std::vector<unsigned char> *rgba);

// gluLookAt's arguments, once it has multiplied the model-view: the
// program's view, for the outside view.
void gl_layer_looked(const double eye[3], const double centre[3], const double up[3]);

// Draws a kept mesh at the current matrices, lit and coloured like any
// vertex; the current normal is left as it was. One that crosses the near
// plane takes the CPU path, as immediate mode's primitives do.
void gl_layer_draw_mesh(int mesh);

#endif
