// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// Immediate mode's batch (batch.cpp).
#ifndef WEB_GL_BATCH_H
#define WEB_GL_BATCH_H

#include "web/webgl/webgl.h"

#include <GL/gl.h>

#include <cstddef>

// GL's state as a WebGL draw takes it; the whole primitives of `mode`
// appended to the batch; the batch drawn, as it must be before anything it
// depends on changes.
DrawState draw_state();
void batch(GLenum mode, const Vertex *vertices, size_t count);
void flush();

#endif
