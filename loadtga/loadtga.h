// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// Uncompressed TGA files as mip-mapped GL textures.
//
// The loader takes true-colour (type 2) files of 24 or 32 bits per pixel and
// grey-scale (type 3) files of 8 bits, and hands GL three bytes per pixel in
// the order the file stores them, the first taken as red. Rows are not
// flipped; the descriptor's origin bits are not looked at.
#ifndef LOADTGA_LOADTGA_H
#define LOADTGA_LOADTGA_H

#include <GL/gl.h>

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr std::size_t kTgaHeaderSize = 18;

enum TgaResult {
  TGA_OK,
  TGA_READ_ERROR,  // too short for its header, identification field or pixels; or 0 wide or high
  TGA_BAD_TYPE,    // colour-mapped, compressed, or a pixel size other than 8, 24 or 32 bits
};

struct TgaImage {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;  // width * height * 3 bytes, rows as stored
};

// How many bytes a file with this 18-byte header must hold: the header, the
// identification field and the pixel block. For a header whose image type is
// not one the decoder takes, just the header.
std::uint64_t tga_file_size(const unsigned char *header);

// Decodes a whole file held in memory. On failure the image is left empty.
// Nothing is allocated before the sizes have been checked against `size`.
TgaResult decode_tga(const unsigned char *bytes, std::size_t size, TgaImage *image);

// Reads the file at path into the texture named textureName, bound directly
// (no names are generated), wrapping in s and t, filtered linearly, with its
// mip-maps. Returns 0 on success; on failure prints "Error reading <path>" or
// "TGA Error: Bad image type" to standard output, without a line break, and
// returns 1 with no texture touched.
int load_gl_tga(const char *path, GLuint textureName);

#endif
