// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// GL 1.1's lines, triangles and quads as independent lines and triangles.
#ifndef WEB_GL_ASSEMBLE_H
#define WEB_GL_ASSEMBLE_H

#include <GL/gl.h>

#include <algorithm>
#include <cstddef>
#include <vector>

// Appends the whole primitives of `mode` among `count` vertices to `out` as
// independent lines or triangles, quads as two triangles each. Flat shading
// gives each primitive the colour of its last vertex, which GL 1.1 takes for
// independent lines, triangles and quads alike.
template <typename V>
void assemble(GLenum mode, const V *in, size_t count, bool flat, std::vector<V> &out) {
  static const int kLine[] = {0, 1}, kTriangle[] = {0, 1, 2}, kQuad[] = {0, 1, 2, 0, 2, 3};
  const int *order = mode == GL_LINES ? kLine : mode == GL_TRIANGLES ? kTriangle : kQuad;
  const size_t size = mode == GL_LINES ? 2 : mode == GL_TRIANGLES ? 3 : 4;
  const size_t length = mode == GL_QUADS ? 6 : size;
  for (size_t first = 0; first + size <= count; first += size) {
    for (size_t k = 0; k < length; ++k) {
      out.push_back(in[first + order[k]]);
      if (flat) {
        const float *last = in[first + size - 1].colour;
        std::copy(last, last + 4, out.back().colour);
      }
    }
  }
}

#endif
