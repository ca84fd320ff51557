// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// load_gl_tga on real files: what reaches the texture, read back from GL.
// Decoding itself is checked without GL in tests/unit/tga_decode_test.cpp.
#include "gl_support.h"
#include "loadtga/loadtga.h"
#include "tga_bytes.h"

#include <GL/glut.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes tga_file(int width, int height, const Bytes &pixels, int type = 2, int bits = 24) {
  return tga_bytes({type, width, height, bits}, pixels);
}

Bytes pattern(std::size_t n) {
  Bytes p(n);
  for (std::size_t i = 0; i < n; ++i) p[i] = static_cast<unsigned char>(i * 37 + 11);
  return p;
}

struct TexLevel {
  int width, height;
  Bytes rgb;
};

TexLevel base_level(GLuint name) {
  glBindTexture(GL_TEXTURE_2D, name);
  TexLevel t{};
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &t.width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &t.height);
  t.rgb.resize(static_cast<std::size_t>(t.width) * t.height * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  if (!t.rgb.empty()) glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, t.rgb.data());
  return t;
}

// What load_gl_tga printed, with its result.
struct Load {
  int result;
  std::string printed;
};

class LoadTga : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { open_test_window(GLUT_DOUBLE | GLUT_RGB); }

  void SetUp() override {
    char pattern[] = "/tmp/loadtga-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    gl_errors();
  }
  void TearDown() override {
    EXPECT_EQ(gl_errors(), "");
    std::system(("rm -rf '" + dir_ + "'").c_str());
  }

  std::string write(const std::string &name, const Bytes &bytes) {
    const std::string path = dir_ + "/" + name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char *>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path;
  }

  // Runs the loader with standard output going to a file, and reads it back.
  Load load(const std::string &path, GLuint name) {
    std::fflush(stdout);
    const int saved = dup(fileno(stdout));
    const std::string capture = dir_ + "/stdout";
    EXPECT_NE(std::freopen(capture.c_str(), "w", stdout), nullptr);
    const int result = load_gl_tga(path.c_str(), name);
    std::fflush(stdout);
    dup2(saved, fileno(stdout));
    close(saved);
    std::ifstream in(capture, std::ios::binary);
    return {result, std::string(std::istreambuf_iterator<char>(in), {})};
  }

  std::string dir_;
};

// The caller's unpack alignment of 8 would skew rows of 3 and 6 bytes (widths
// 1 and 2); the loader uploads with 1 and gives the caller's 8 back.
TEST_F(LoadTga, BaseLevelHoldsTheFileBytesWithTheGivenParameters) {
  glPixelStorei(GL_UNPACK_ALIGNMENT, 8);
  GLint value = 0;
  for (const auto &size : {std::array<int, 2>{4, 2}, {2, 4}, {1, 8}, {16, 16}}) {
    const Bytes pixels = pattern(static_cast<std::size_t>(size[0]) * size[1] * 3);
    const Load l = load(write("good.tga", tga_file(size[0], size[1], pixels)), 7);
    EXPECT_EQ(l.result, 0);
    EXPECT_EQ(l.printed, "");
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &value);
    EXPECT_EQ(value, 8) << "the caller's unpack alignment, restored";
    const TexLevel t = base_level(7);
    EXPECT_EQ(t.width, size[0]);
    EXPECT_EQ(t.height, size[1]);
    EXPECT_EQ(t.rgb, pixels) << size[0] << " x " << size[1];
  }
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &value);
  EXPECT_EQ(value, 7);  // the caller's name, bound directly
  for (const GLenum p : {GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T}) {
    glGetTexParameteriv(GL_TEXTURE_2D, p, &value);
    EXPECT_EQ(value, GL_REPEAT);
  }
  for (const GLenum p : {GL_TEXTURE_MIN_FILTER, GL_TEXTURE_MAG_FILTER}) {
    glGetTexParameteriv(GL_TEXTURE_2D, p, &value);
    EXPECT_EQ(value, GL_LINEAR);
  }
}

// The message has no line break; neither the texture nor the binding changes.
TEST_F(LoadTga, EveryFailureSaysWhyAndLeavesTheTextureAsItWas) {
  const Bytes pixels = pattern(4 * 4 * 3);
  ASSERT_EQ(load(write("keep.tga", tga_file(4, 4, pixels)), 6).result, 0);
  glBindTexture(GL_TEXTURE_2D, 2);
  Bytes short_block = tga_file(4, 4, pixels);
  short_block.pop_back();
  const struct {
    std::string path;
    std::string message;
  } cases[] = {
      {dir_ + "/missing.tga", "Error reading " + dir_ + "/missing.tga"},
      {dir_, "Error reading " + dir_},  // a folder opens but cannot be read
      {write("rle.tga", tga_file(4, 4, pixels, 10)), "TGA Error: Bad image type"},
      {write("short.tga", short_block), "Error reading " + dir_ + "/short.tga"},
      {write("huge.tga", tga_file(65535, 65535, pixels)), "Error reading " + dir_ + "/huge.tga"},
  };
  for (const auto &c : cases) {
    const Load l = load(c.path, 6);
    EXPECT_EQ(l.result, 1) << c.path;
    EXPECT_EQ(l.printed, c.message);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, 2) << "a failed load must not bind: " << c.path;
  }
  const TexLevel t = base_level(6);
  EXPECT_EQ(t.width, 4);
  EXPECT_EQ(t.rgb, pixels);
}

// Files that other people's TGA writers made: netpbm's and ImageMagick's. They
// store blue, green, red; the loader hands the bytes over as stored.
TEST_F(LoadTga, FilesFromOtherWritersLoadWithTheirSize) {
  const std::string head = "P6 8 4 255\n";
  Bytes ppm(head.begin(), head.end());
  for (int i = 0; i < 32; ++i) ppm.insert(ppm.end(), {255, 0, 0});
  const std::string red = write("red.ppm", ppm);
  // The writers are not ours: they run without any sanitizer settings of this test.
  const std::string clean = "env -u LD_PRELOAD -u ASAN_OPTIONS -u LSAN_OPTIONS ";
  const std::string writers[] = {
      clean + "ppmtotga -rgb -norle '" + red + "' > '" + dir_ + "/netpbm.tga' 2>/dev/null",
      clean + "convert '" + red + "' -compress none -type TrueColor '" + dir_ + "/magick.tga'",
  };
  for (const std::string &command : writers) {
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }
  for (const char *name : {"netpbm.tga", "magick.tga"}) {
    const Load l = load(dir_ + "/" + name, 8);
    ASSERT_EQ(l.result, 0) << name << ": " << l.printed;
    const TexLevel t = base_level(8);
    EXPECT_EQ(t.width, 8) << name;
    EXPECT_EQ(t.height, 4) << name;
    EXPECT_EQ((Bytes{t.rgb[0], t.rgb[1], t.rgb[2]}), (Bytes{0, 0, 255})) << name;
  }
}

}  // namespace
