// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// TGA files assembled in memory, for the tests that feed the loader.
#ifndef TESTS_TGA_BYTES_H
#define TESTS_TGA_BYTES_H

#include "loadtga/tga_decode.h"

#include <algorithm>
#include <vector>

struct TgaHeader {
  int type = 2;
  int width = 4;
  int height = 2;
  int bits = 24;
  int id_length = 0;
  int colour_map = 0;
  int descriptor = 0;
};

// The 18-byte header, an identification field of 0xEE bytes, then `pixels`.
inline std::vector<unsigned char> tga_bytes(const TgaHeader &h,
                                            const std::vector<unsigned char> &pixels) {
  std::vector<unsigned char> b(kTgaHeaderSize + h.id_length + pixels.size(), 0xEE);
  const int header[kTgaHeaderSize] = {h.id_length,
                                      h.colour_map,
                                      h.type,
                                      0,
                                      0,
                                      0,
                                      0,
                                      0,
                                      0,
                                      0,
                                      0,
                                      0,
                                      h.width & 0xff,
                                      h.width >> 8,
                                      h.height & 0xff,
                                      h.height >> 8,
                                      h.bits,
                                      h.descriptor};
  std::copy(header, header + kTgaHeaderSize, b.begin());
  std::copy(pixels.begin(), pixels.end(), b.begin() + kTgaHeaderSize + h.id_length);
  return b;
}

#endif
