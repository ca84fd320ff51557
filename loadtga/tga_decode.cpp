// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The pure part of the TGA loader: bytes in memory to packed RGB.
#include <cstring>
#include <new>

#include "loadtga/tga_decode.h"

namespace {

constexpr int kTrueColour = 2;
constexpr int kGreyScale = 3;

struct Header {
  unsigned id_length;
  unsigned colour_map_type;
  unsigned image_type;
  unsigned width;
  unsigned height;
  unsigned bits_per_pixel;
};

Header read_header(const unsigned char *h) {
  return Header{h[0], h[1], h[2], h[12] + 256u * h[13], h[14] + 256u * h[15], h[16]};
}

bool type_accepted(const Header &h) {
  return h.colour_map_type == 0 && (h.image_type == kTrueColour || h.image_type == kGreyScale);
}

bool pixel_size_accepted(const Header &h) {
  return h.bits_per_pixel == 8 || h.bits_per_pixel == 24 || h.bits_per_pixel == 32;
}

std::uint64_t pixel_block_size(const Header &h) {
  return std::uint64_t{h.width} * h.height * (h.bits_per_pixel / 8);
}

}  // namespace

std::uint64_t tga_file_size(const unsigned char *header) {
  const Header h = read_header(header);
  if (!type_accepted(h) || !pixel_size_accepted(h)) {
    return kTgaHeaderSize;
  }
  return kTgaHeaderSize + h.id_length + pixel_block_size(h);
}

TgaResult decode_tga(const unsigned char *bytes, std::size_t size, TgaImage *image) {
  *image = TgaImage{};
  if (size < kTgaHeaderSize) {
    return TGA_READ_ERROR;
  }
  const Header h = read_header(bytes);
  if (!type_accepted(h) || !pixel_size_accepted(h)) {
    return TGA_BAD_TYPE;
  }
  if (h.width == 0 || h.height == 0 || size < tga_file_size(bytes)) {
    return TGA_READ_ERROR;
  }

  // The block fits in `size`, so the three bytes a pixel that we allocate
  // are at most three times what the caller already holds.
  const std::size_t pixels = std::size_t{h.width} * h.height;
  try {
    image->rgb.resize(pixels * 3);
  } catch (const std::bad_alloc &) {
    return TGA_READ_ERROR;
  }
  image->width = static_cast<int>(h.width);
  image->height = static_cast<int>(h.height);

  const unsigned char *in = bytes + kTgaHeaderSize + h.id_length;
  unsigned char *out = image->rgb.data();
  const unsigned stride = h.bits_per_pixel / 8;
  if (stride == 3) {
    std::memcpy(out, in, pixels * 3);
    return TGA_OK;
  }
  for (std::size_t i = 0; i < pixels; ++i, in += stride, out += 3) {
    if (stride == 1) {  // one byte, grey: the same in all three channels
      out[0] = out[1] = out[2] = in[0];
    } else {  // 32 bits: the fourth byte is dropped
      out[0] = in[0];
      out[1] = in[1];
      out[2] = in[2];
    }
  }
  return TGA_OK;
}
