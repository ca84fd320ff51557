// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The TGA decoder: a whole file in memory to packed RGB bytes, without GL.
//
// Only uncompressed files without a colour map are taken, true-colour
// (type 2) or grey-scale (type 3). The pixel size alone says how a pixel
// becomes three bytes; the type only has to be one of the two:
//
//   type             bits      result
//   2 true-colour    24        the three bytes as stored
//   2 true-colour    32        the first three bytes; the fourth is dropped
//   2 true-colour    8         the byte widened to three, as grey
//   2 true-colour    15, 16    TGA_BAD_TYPE
//   3 grey-scale     8         the byte widened to three
//   3 grey-scale     24        the three bytes as stored
//   3 grey-scale     32        the first three bytes; the fourth is dropped
//   3 grey-scale     16        TGA_BAD_TYPE
//   2 or 3           any other TGA_BAD_TYPE
//   1 (colour-mapped), 9 to 11 (run-length), any other type, or a colour
//   map of any type: TGA_BAD_TYPE
//
// The bytes of a pixel keep the order the file stores them in, the first
// taken as red. Rows are not flipped; the descriptor's origin bits are not
// looked at.
#ifndef LOADTGA_TGA_DECODE_H
#define LOADTGA_TGA_DECODE_H

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr std::size_t kTgaHeaderSize = 18;

enum TgaResult {
  TGA_OK,
  TGA_READ_ERROR,  // too short for its header, identification field or pixels; or 0 wide or high
  TGA_BAD_TYPE,    // a type or pixel size the table above does not take
};

struct TgaImage {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;  // width * height * 3 bytes, rows as stored
};

// How many bytes a file with this 18-byte header must hold: the header, the
// identification field and the pixel block. For a header whose image type or
// pixel size is not taken, just the header.
std::uint64_t tga_file_size(const unsigned char *header);

// Decodes a whole file held in memory. A type or pixel size not taken is
// TGA_BAD_TYPE before the length is looked at. On failure the image is left
// empty. Nothing is allocated before the sizes have been checked against
// `size`.
TgaResult decode_tga(const unsigned char *bytes, std::size_t size, TgaImage *image);

#endif
