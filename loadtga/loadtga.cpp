// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The GL part of the TGA loader: file to texture.
#include "loadtga/loadtga.h"
#include "loadtga/tga_decode.h"

#include <GL/glu.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <new>
#include <vector>

namespace {

constexpr std::size_t kReadChunk = 1 << 16;

// The messages carry no line break; each is flushed at once so that it shows
// while the program runs, not only when it ends.
void report_unreadable(const char *path) {
  std::printf("Error reading %s", path);
  std::fflush(stdout);
}

void report_bad_type() {
  std::printf("TGA Error: Bad image type");
  std::fflush(stdout);
}

// Reads the header and then at most as many bytes as the header asks for. The
// buffer grows only with bytes that actually arrive, so a header that
// promises gigabytes in a tiny file costs nothing. False on a read error.
bool read_file(std::FILE *file, std::vector<unsigned char> *bytes) {
  try {
    bytes->resize(kTgaHeaderSize);
    std::size_t have = std::fread(bytes->data(), 1, kTgaHeaderSize, file);
    const std::uint64_t want = have == kTgaHeaderSize ? tga_file_size(bytes->data()) : have;
    while (have < want && !std::feof(file) && !std::ferror(file)) {
      const std::size_t chunk =
          static_cast<std::size_t>(std::min<std::uint64_t>(want - have, kReadChunk));
      bytes->resize(have + chunk);
      have += std::fread(bytes->data() + have, 1, chunk, file);
    }
    bytes->resize(have);
  } catch (const std::bad_alloc &) {
    return false;
  }
  return !std::ferror(file);
}

}  // namespace

int load_gl_tga(const char *path, GLuint textureName) {
  std::FILE *file = std::fopen(path, "rb");
  if (file == nullptr) {
    report_unreadable(path);
    return 1;
  }
  std::vector<unsigned char> bytes;
  const bool read = read_file(file, &bytes);
  std::fclose(file);

  TgaImage image;
  const TgaResult result = read ? decode_tga(bytes.data(), bytes.size(), &image) : TGA_READ_ERROR;
  if (result == TGA_BAD_TYPE) {
    report_bad_type();
    return 1;
  }
  if (result != TGA_OK) {
    report_unreadable(path);
    return 1;
  }

  glBindTexture(GL_TEXTURE_2D, textureName);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);

  // Rows are packed tightly, whatever the width; the alignment GL would
  // otherwise assume (4) would read past the end of odd-width rows.
  GLint alignment = 4;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  const GLint built = gluBuild2DMipmaps(GL_TEXTURE_2D, 3, image.width, image.height, GL_RGB,
                                        GL_UNSIGNED_BYTE, image.rgb.data());
  glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
  return built == 0 ? 0 : 1;
}
