// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// What the GL layer offers the GLU and GLUT parts beside the GL calls.
#ifndef WEB_GL_LAYER_H
#define WEB_GL_LAYER_H

// Draws triangles (or lines) whose vertices carry normals of their own, as
// GLUT's shapes do: lit and coloured like any vertex, but the current normal
// is left as it was.
void draw_with_normals(bool lines, const float *xyz, const float *normals, int count);

// Opens the layer on the page's canvas; GLUT calls it when the window opens.
void gl_layer_start(bool depth);

#endif
