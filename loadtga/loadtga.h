// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// Uncompressed TGA files as mip-mapped GL textures.
//
// Which files are taken, and how their pixels become three bytes each, is the
// decoder's (loadtga/tga_decode.h); this is the part that needs GL.
#ifndef LOADTGA_LOADTGA_H
#define LOADTGA_LOADTGA_H

#include <GL/gl.h>

// Reads the file at path into the texture named textureName, bound directly
// (no names are generated), wrapping in s and t, filtered linearly, with its
// mip-maps. Returns 0 on success. On failure prints to standard output,
// without a line break, "Error reading <path>" (missing, cannot be read
// completely, or 0 wide or high) or "TGA Error: Bad image type" (a type or
// pixel size the decoder does not take), and returns 1 with no texture touched.
int load_gl_tga(const char *path, GLuint textureName);

#endif
