// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// roomtour's fan animation and its committed images.
#include "loadtga/tga_decode.h"
#include "roomtour/room.h"
#include "room_image_names.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

TEST(Fan, TurnsOneDegreeAnIdleCallAndNeverStalls) {
  fan_angle = 359;
  rotate_fan();
  EXPECT_EQ(fan_angle, 0.0f);
  // Well past 2^24 calls, where an angle that only grew would stop changing.
  const long calls = (1L << 24) + 100;
  for (long i = 0; i < calls; ++i) rotate_fan();
  EXPECT_EQ(fan_angle, static_cast<float>(calls % 360));
}

std::vector<unsigned char> read_file(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::string source_dir() {
  const char *dir = std::getenv("VIEWER_SOURCE_DIR");
  return dir ? dir : ".";
}

TEST(Images, AreUncompressedTrueColourTheLoaderTakesAsTheyAre) {
  for (const char *name : kRoomImages) {
    const std::vector<unsigned char> file = read_file(source_dir() + "/img/" + name + ".tga");
    ASSERT_GE(file.size(), kTgaHeaderSize) << name;
    EXPECT_EQ(file[1], 0) << name;    // no colour map
    EXPECT_EQ(file[2], 2) << name;    // uncompressed true colour
    EXPECT_EQ(file[16], 24) << name;  // three bytes a pixel
    TgaImage image;
    ASSERT_EQ(decode_tga(file.data(), file.size(), &image), TGA_OK) << name;
    EXPECT_EQ(image.width, 256) << name;  // a power of two: uploaded without rescaling
    EXPECT_EQ(image.height, 256) << name;
  }
}

TEST(Images, AreWhatTheGeneratorWrites) {
  char folder[] = "/tmp/make-textures-XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  ASSERT_EQ(std::system((std::string(MAKE_TEXTURES) + " " + folder).c_str()), 0);
  for (const char *name : kRoomImages) {
    const std::string file = std::string("/") + name + ".tga";
    EXPECT_TRUE(read_file(folder + file) == read_file(source_dir() + "/img" + file))
        << name << ".tga differs from what tools/make_textures writes; run `make textures`";
  }
  std::system(("rm -rf '" + std::string(folder) + "'").c_str());
}

}  // namespace
