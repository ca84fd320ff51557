// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// Textures under the caller's names. WebGL shares nothing between
// contexts, so this side keeps each texture as it was given, and each
// context makes its own copy the first time it binds it, or again where it
// has fallen behind; the pixels are read from what is kept.
#include "web/webgl/context.h"
#include "web/webgl/webgl.h"

#include <webgl/webgl1.h>

#include <cstddef>
#include <map>
#include <vector>

namespace {

// Each texture as the caller gave it, by its name: its parameters, and each
// level's bytes as uploaded; and its version.
struct Level {
  int width, height, alignment;
  unsigned int format;  // 0 for a level not given
  std::vector<unsigned char> pixels;
};
struct Picture {
  std::map<unsigned int, int> parameters;
  std::vector<Level> levels;
  unsigned version;
};
std::map<unsigned int, Picture> pictures;
unsigned versions = 0;  // the last given

// What the caller set last: the name bound, and the unpack alignment.
unsigned int bound_name = 0;
int unpack_alignment = 4;

// Each context's textures, by the caller's name, with the version each
// holds, and WebGL's texture bound there.
struct Made {
  GLuint name;
  unsigned version;
};
struct Textures {
  std::map<unsigned int, Made> made;
  GLuint bound = 0;
};
Textures contexts[2];

Textures &mine() { return contexts[context_now()]; }

void use_texture(GLuint texture) {
  if (texture == mine().bound) return;
  emscripten_glBindTexture(GL_TEXTURE_2D, texture);
  mine().bound = texture;
}

int channels(unsigned int format) { return format == GL_RGBA ? 4 : format == GL_RGB ? 3 : 1; }

// The bytes from one row of a level to the next, as the unpack alignment
// it was given with pads them.
size_t stride(const Level &level) {
  const size_t row = static_cast<size_t>(level.width) * channels(level.format);
  return (row + level.alignment - 1) / level.alignment * level.alignment;
}

void upload(int number, const Level &level) {
  emscripten_glPixelStorei(GL_UNPACK_ALIGNMENT, level.alignment);
  emscripten_glTexImage2D(GL_TEXTURE_2D, number, level.format, level.width, level.height, 0,
                          level.format, GL_UNSIGNED_BYTE,
                          level.pixels.empty() ? nullptr : level.pixels.data());
  emscripten_glPixelStorei(GL_UNPACK_ALIGNMENT, unpack_alignment);
}

// The texture of `name` in the context drawn to, made and given its
// picture where it has fallen behind; none (0) for a name not yet given a
// parameter or an image (binding a name alone makes none, as it draws
// nothing).
GLuint texture_of(unsigned int name) {
  const auto kept = pictures.find(name);
  if (kept == pictures.end()) return 0;
  const Picture &picture = kept->second;
  Made &copy = mine().made[name];
  if (copy.name == 0) emscripten_glGenTextures(1, &copy.name);
  if (copy.version != picture.version) {
    use_texture(copy.name);
    for (size_t k = 0; k < picture.levels.size(); ++k) {
      if (picture.levels[k].format != 0) upload(static_cast<int>(k), picture.levels[k]);
    }
    for (const auto &[parameter, value] : picture.parameters) {
      emscripten_glTexParameteri(GL_TEXTURE_2D, parameter, value);
    }
    copy.version = picture.version;
  }
  return copy.name;
}

// The bound name's picture, about to change; its texture here, up to date
// and bound, takes the same change, so stays up to date. A new picture is
// version 0, as a new texture is: nothing to give it.
Picture &change_bound() {
  Picture &picture = pictures[bound_name];
  use_texture(texture_of(bound_name));
  picture.version = ++versions;
  mine().made[bound_name].version = picture.version;
  return picture;
}

}  // namespace

void webgl_bind_texture(unsigned int name) {
  bound_name = name;
  use_texture(texture_of(name));
}

void webgl_texture_parameter(unsigned int parameter, int value) {
  change_bound().parameters[parameter] = value;
  emscripten_glTexParameteri(GL_TEXTURE_2D, parameter, value);
}

void webgl_unpack_alignment(int alignment) {
  unpack_alignment = alignment;
  emscripten_glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
}

void webgl_texture_image(int level, int width, int height, unsigned int format,
                         const unsigned char *pixels) {
  Picture &picture = change_bound();
  if (picture.levels.size() <= static_cast<size_t>(level)) picture.levels.resize(level + 1);
  Level &kept = picture.levels[level];
  kept = {width, height, unpack_alignment, format, {}};
  if (pixels != nullptr && width > 0 && height > 0) {
    kept.pixels.assign(pixels, pixels + stride(kept) * (height - 1) +
                                   static_cast<size_t>(width) * channels(format));
  }
  upload(level, kept);
}

bool webgl_read_texture(unsigned int name, int *width, int *height,
                        std::vector<unsigned char> *rgba) {
  const auto kept = pictures.find(name);
  if (kept == pictures.end() || kept->second.levels.empty() || kept->second.levels[0].format == 0) {
    return false;
  }
  const Level &level = kept->second.levels[0];
  const int n = channels(level.format);
  *width = level.width;
  *height = level.height;
  rgba->assign(static_cast<size_t>(level.width) * level.height * 4, 0);
  if (level.pixels.empty()) return true;  // WebGL's zeros
  for (int y = 0; y < level.height; ++y) {
    for (int x = 0; x < level.width; ++x) {
      const unsigned char *from = &level.pixels[y * stride(level) + static_cast<size_t>(x) * n];
      unsigned char *to = &(*rgba)[(static_cast<size_t>(y) * level.width + x) * 4];
      to[0] = from[0];
      to[1] = from[n > 1 ? 1 : 0];
      to[2] = from[n > 1 ? 2 : 0];
      to[3] = n == 4 ? from[3] : 255;
    }
  }
  return true;
}

void textures_follow() {
  emscripten_glPixelStorei(GL_UNPACK_ALIGNMENT, unpack_alignment);
  use_texture(texture_of(bound_name));
}
