// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// libFuzzer target: the TGA decoder must never read out of bounds, leak or
// misreport, whatever bytes it is given.
#include <cstdlib>

#include "loadtga/tga_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, std::size_t size) {
  TgaImage image;
  const TgaResult result = decode_tga(data, size, &image);
  if (result == TGA_OK) {
    // A decoded image is exactly three bytes a pixel, and the file held them.
    const std::size_t pixels = static_cast<std::size_t>(image.width) * image.height;
    if (pixels == 0 || image.rgb.size() != pixels * 3 || tga_file_size(data) > size) std::abort();
  } else if (!image.rgb.empty() || image.width != 0) {
    std::abort();
  }
  return 0;
}
