// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The CPU path (cpu_path.cpp): what the shader cannot draw as GL would,
// transformed, lit and cut at the near plane on the CPU, then drawn in clip
// space.
#ifndef WEB_GL_CPU_PATH_H
#define WEB_GL_CPU_PATH_H

#include "web/webgl/webgl.h"

#include <GL/gl.h>

#include <cstddef>

// GL's clip planes as rows of the model-view-projection, the near plane
// first: a point p lies inside plane k where planes[k] . (p, 1) >= 0.
void clip_planes(float planes[6][4]);
// Whether everything lit takes the CPU path: lit flat shading, which the
// shader cannot give.
bool cpu_path_needed();
// The primitives of `mode` drawn by the CPU path.
void cpu_path_draw(GLenum mode, const Vertex *vertices, size_t count);

#endif
