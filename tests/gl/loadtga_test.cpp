// load_gl_tga on real files, read back from GL.
#include "loadtga/loadtga.h"
#include "tga_bytes.h"

#include <GL/glut.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "gl_support.h"

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
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
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
  Load load(const std::string &path, GLuint name) { return load_all({path}, name); }
  Load load_all(const std::vector<std::string> &paths, GLuint name) {
    std::fflush(stdout);
    const int saved = dup(fileno(stdout));
    const std::string capture = dir_ + "/stdout";
    EXPECT_NE(std::freopen(capture.c_str(), "w", stdout), nullptr);
    int result = 0;
    for (const std::string &p : paths) result |= load_gl_tga(p.c_str(), name);
    std::fflush(stdout);
    dup2(saved, fileno(stdout));
    close(saved);
    std::ifstream in(capture, std::ios::binary);
    return {result, std::string(std::istreambuf_iterator<char>(in), {})};
  }

  std::string dir_;
};

TEST_F(LoadTga, BaseLevelHoldsTheFileBytesWithTheGivenParameters) {
  // Widths 1 and 2 give rows of 3 and 6 bytes, which an unpack alignment of
  // 4 would skew; 4 x 2 is the plain case.
  for (const auto &size : {std::array<int, 2>{4, 2}, {2, 4}, {1, 8}, {16, 16}}) {
    const Bytes pixels = pattern(static_cast<std::size_t>(size[0]) * size[1] * 3);
    const std::string path = write("good.tga", tga_file(size[0], size[1], pixels));
    const Load l = load(path, 7);
    EXPECT_EQ(l.result, 0);
    EXPECT_EQ(l.printed, "");
    const TexLevel t = base_level(7);
    EXPECT_EQ(t.width, size[0]);
    EXPECT_EQ(t.height, size[1]);
    EXPECT_EQ(t.rgb, pixels) << size[0] << " x " << size[1];
  }
  GLint value = 0;
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
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &value);
  EXPECT_EQ(value, 4);  // restored after the upload
}

TEST_F(LoadTga, OddWidthsAreScaledWithoutSkewingTheRows) {
  // Each row one colour: a skewed upload would mix colours within a row.
  for (const int width : {3, 5, 7}) {
    const int height = 4;
    Bytes pixels;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        pixels.insert(pixels.end(), {static_cast<unsigned char>(60 * y), 200,
                                     static_cast<unsigned char>(250 - 60 * y)});
    ASSERT_EQ(load(write("odd.tga", tga_file(width, height, pixels)), 3).result, 0);
    const TexLevel t = base_level(3);
    ASSERT_GT(t.width, 0);
    for (int y = 0; y < t.height; ++y)
      for (int x = 1; x < t.width; ++x)
        for (int c = 0; c < 3; ++c)
          ASSERT_EQ(t.rgb[(y * t.width + x) * 3 + c], t.rgb[(y * t.width) * 3 + c])
              << "width " << width << " row " << y << " column " << x;
  }
}

TEST_F(LoadTga, FirstByteIsRedWhenDrawn) {
  const std::string path = write("rb.tga", tga_file(2, 1, {255, 0, 0, 0, 0, 255}));
  ASSERT_EQ(load(path, 4).result, 0);
  glViewport(0, 0, 500, 500);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glEnable(GL_TEXTURE_2D);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  glBindTexture(GL_TEXTURE_2D, 4);
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex2f(-1, -1);
  glTexCoord2f(0, 1);
  glVertex2f(-1, 1);
  glTexCoord2f(1, 1);
  glVertex2f(1, 1);
  glTexCoord2f(1, 0);
  glVertex2f(1, -1);
  glEnd();
  glDisable(GL_TEXTURE_2D);
  EXPECT_TRUE(close_to(pixel_at(125, 250), {255, 0, 0}, 2)) << to_string(pixel_at(125, 250));
  EXPECT_TRUE(close_to(pixel_at(375, 250), {0, 0, 255}, 2)) << to_string(pixel_at(375, 250));
}

TEST_F(LoadTga, GreyAndThirtyTwoBitFilesBecomeThreeBytesAPixel) {
  ASSERT_EQ(load(write("grey.tga", tga_file(2, 2, {10, 20, 30, 40}, 3, 8)), 1).result, 0);
  EXPECT_EQ(base_level(1).rgb, (Bytes{10, 10, 10, 20, 20, 20, 30, 30, 30, 40, 40, 40}));
  ASSERT_EQ(load(write("rgba.tga", tga_file(2, 1, {1, 2, 3, 99, 4, 5, 6, 99}, 2, 32)), 1).result,
            0);
  EXPECT_EQ(base_level(1).rgb, (Bytes{1, 2, 3, 4, 5, 6}));
}

TEST_F(LoadTga, EveryFailureSaysWhyAndLeavesTheTextureAsItWas) {
  const Bytes pixels = pattern(4 * 4 * 3);
  ASSERT_EQ(load(write("keep.tga", tga_file(4, 4, pixels)), 6).result, 0);
  glBindTexture(GL_TEXTURE_2D, 2);

  Bytes colour_mapped = tga_file(4, 4, pixels);
  colour_mapped[1] = 1;
  Bytes short_block = tga_file(4, 4, pixels);
  short_block.pop_back();
  const struct {
    std::string path;
    std::string message;
  } cases[] = {
      {dir_ + "/missing.tga", "Error reading " + dir_ + "/missing.tga"},
      {dir_, "Error reading " + dir_},  // a folder opens but cannot be read
      {write("rle.tga", tga_file(4, 4, pixels, 10)), "TGA Error: Bad image type"},
      {write("cmap.tga", colour_mapped), "TGA Error: Bad image type"},
      {write("16.tga", tga_file(4, 4, pixels, 2, 16)), "TGA Error: Bad image type"},
      {write("short.tga", short_block), "Error reading " + dir_ + "/short.tga"},
      {write("empty.tga", {}), "Error reading " + dir_ + "/empty.tga"},
      {write("huge.tga", tga_file(65535, 65535, pixels)), "Error reading " + dir_ + "/huge.tga"},
      {write("zero.tga", tga_file(0, 4, {})), "Error reading " + dir_ + "/zero.tga"},
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

TEST_F(LoadTga, MessagesRunTogetherOnOneLine) {
  const Load l = load_all({"./img/none.tga", "./img/nothing.tga"}, 0);
  EXPECT_EQ(l.result, 1);
  EXPECT_EQ(l.printed, "Error reading ./img/none.tgaError reading ./img/nothing.tga");
}

// Files that other people's TGA writers made: netpbm's and ImageMagick's. They
// store blue, green, red; the loader hands the bytes over as stored.
TEST_F(LoadTga, FilesFromOtherWritersLoadWithTheirSize) {
  const std::string ppm = dir_ + "/red.ppm";
  write("red.ppm", [] {
    const std::string head = "P6 8 4 255\n";
    Bytes b(head.begin(), head.end());
    for (int i = 0; i < 32; ++i) b.insert(b.end(), {255, 0, 0});
    return b;
  }());
  // The writers are not ours: they run without any sanitizer settings of this test.
  const std::string clean = "env -u LD_PRELOAD -u ASAN_OPTIONS -u LSAN_OPTIONS ";
  const std::string writers[] = {
      clean + "ppmtotga -rgb -norle '" + ppm + "' > '" + dir_ + "/netpbm.tga' 2>/dev/null",
      clean + "convert '" + ppm + "' -compress none -type TrueColor '" + dir_ + "/magick.tga'",
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
