// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The little the GL layer asks of WebGL: a context on the page's canvas, the
// state WebGL keeps itself (viewport, depth, clear, textures), and drawing of
// vertices that are already transformed, lit and clipped in GL's sense.
#ifndef WEB_WEBGL_H
#define WEB_WEBGL_H

#include "web/pipeline.h"


// Creates the WebGL context on #canvas, with a depth buffer if asked.
void webgl_start(bool depth);

void webgl_viewport(int x, int y, int width, int height);
void webgl_depth_range(float near_value, float far_value);
void webgl_depth_test(bool on);
void webgl_clear_colour(float r, float g, float b, float a);
void webgl_clear(bool colour, bool depth);

// Texture objects under the caller's names, 0 included: each name gets a
// WebGL texture of its own the first time it is bound.
void webgl_bind_texture(unsigned int name);
void webgl_texture_parameter(unsigned int parameter, int value);
void webgl_unpack_alignment(int alignment);
// One level of the bound texture from tightly packed bytes of `format`
// (GL_RGB, GL_RGBA, GL_LUMINANCE).
void webgl_texture_image(int level, int width, int height, unsigned int format,
                         const unsigned char *pixels);

// Triangles (every three vertices) or lines (every two), textured with the
// bound texture, modulated by the colour, when `textured`.
void webgl_draw(bool lines, const DrawVertex *vertices, int count, bool textured);

#endif
