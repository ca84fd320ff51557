// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The TGA decoder over crafted files, good and hostile.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "loadtga/loadtga.h"
#include "tga_bytes.h"

namespace {

using Bytes = std::vector<unsigned char>;

struct Layout : TgaHeader {
  long pixel_bytes = -1;  // how much of the pixel block the file holds; -1 for all of it
  int trailing = 0;       // bytes after the block, such as a TGA 2.0 footer
};

// A file as the header describes it, with pixel bytes 3, 10, 17 ... and an
// identification field of 0xEE bytes.
Bytes tga(const Layout &s) {
  const long block = s.pixel_bytes >= 0 ? s.pixel_bytes : long{s.width} * s.height * (s.bits / 8);
  Bytes pixels;
  for (long i = 0; i < block; ++i) pixels.push_back(static_cast<unsigned char>(i * 7 + 3));
  Bytes b = tga_bytes(s, pixels);
  b.insert(b.end(), s.trailing, 0x55);
  return b;
}

Bytes block_of(const Bytes &file, std::size_t offset) {
  return Bytes(file.begin() + offset, file.end());
}

TEST(TgaDecode, AcceptsUncompressedTrueColourAndGrey) {
  struct Case {
    std::string name;
    Layout layout;
  };
  const Case cases[] = {
      {"4 x 2, 24 bits", {}},
      {"identification field of 12", Layout{2, 4, 2, 24, 12}},
      {"width 3", Layout{2, 3, 2, 24}},
      {"top-down descriptor bit", Layout{2, 4, 2, 24, 0, 0, 0x20}},
      {"footer after the block", Layout{2, 4, 2, 24, 0, 0, 0, -1, 26}},
      {"255 x 257", Layout{2, 255, 257, 24}},
  };
  for (const Case &c : cases) {
    const Bytes file = tga(c.layout);
    TgaImage image;
    ASSERT_EQ(decode_tga(file.data(), file.size(), &image), TGA_OK) << c.name;
    EXPECT_EQ(image.width, c.layout.width) << c.name;
    EXPECT_EQ(image.height, c.layout.height) << c.name;
    // The pixels exactly as stored: no reordering, no flipped rows.
    Bytes expected = block_of(file, kTgaHeaderSize + c.layout.id_length);
    expected.resize(expected.size() - c.layout.trailing);
    EXPECT_EQ(image.rgb, expected) << c.name;
    EXPECT_EQ(tga_file_size(file.data()), file.size() - c.layout.trailing) << c.name;
  }
}

TEST(TgaDecode, WidensGreyAndDropsTheFourthByteOfThirtyTwoBits) {
  const Bytes grey = tga(Layout{3, 3, 1, 8});
  TgaImage image;
  ASSERT_EQ(decode_tga(grey.data(), grey.size(), &image), TGA_OK);
  const Bytes g = block_of(grey, kTgaHeaderSize);
  EXPECT_EQ(image.rgb, (Bytes{g[0], g[0], g[0], g[1], g[1], g[1], g[2], g[2], g[2]}));

  const Bytes wide = tga(Layout{2, 2, 1, 32});
  ASSERT_EQ(decode_tga(wide.data(), wide.size(), &image), TGA_OK);
  const Bytes w = block_of(wide, kTgaHeaderSize);
  EXPECT_EQ(image.rgb, (Bytes{w[0], w[1], w[2], w[4], w[5], w[6]}));
}

TEST(TgaDecode, RejectsWhatItCannotReadOrDoesNotTake) {
  struct Case {
    std::string name;
    Bytes file;
    TgaResult result;
  };
  const Bytes good = tga({});
  Bytes id_past_end = tga(Layout{2, 2, 1, 24, 0});
  id_past_end[0] = 200;  // promises 200 bytes of identification that are not there
  const Case cases[] = {
      {"colour-mapped true colour", tga(Layout{2, 4, 2, 24, 0, 1}), TGA_BAD_TYPE},
      {"type 1, colour-mapped", tga(Layout{1, 4, 2, 8, 0, 1}), TGA_BAD_TYPE},
      {"type 10, run-length true colour", tga(Layout{10, 4, 2, 24}), TGA_BAD_TYPE},
      {"type 32", tga(Layout{32, 4, 2, 24}), TGA_BAD_TYPE},
      {"15 bits", tga(Layout{2, 4, 2, 15}), TGA_BAD_TYPE},
      {"16 bits", tga(Layout{2, 4, 2, 16}), TGA_BAD_TYPE},
      {"0 bits", tga(Layout{2, 4, 2, 0}), TGA_BAD_TYPE},
      {"block one byte short", tga(Layout{2, 4, 2, 24, 0, 0, 0, 23}), TGA_READ_ERROR},
      {"65535 x 65535 in a tiny file", tga(Layout{2, 65535, 65535, 32, 0, 0, 0, 64}),
       TGA_READ_ERROR},
      {"identification field past the end", id_past_end, TGA_READ_ERROR},
      {"width 0", tga(Layout{2, 0, 2, 24}), TGA_READ_ERROR},
      {"height 0", tga(Layout{2, 4, 0, 24}), TGA_READ_ERROR},
      {"empty file", Bytes{}, TGA_READ_ERROR},
      {"17 bytes of a good header", Bytes(good.begin(), good.begin() + 17), TGA_READ_ERROR},
  };
  for (const Case &c : cases) {
    TgaImage image;
    image.width = 9;
    image.rgb.assign(5, 1);
    EXPECT_EQ(decode_tga(c.file.data(), c.file.size(), &image), c.result) << c.name;
    EXPECT_EQ(image.width, 0) << c.name;
    EXPECT_TRUE(image.rgb.empty()) << c.name;
  }
}

TEST(TgaDecode, FileSizeOfAHostileHeaderIsComputedWithoutOverflow) {
  const Bytes huge = tga(Layout{2, 65535, 65535, 32, 255, 0, 0, 0});
  EXPECT_EQ(tga_file_size(huge.data()), 18u + 255u + 65535ull * 65535ull * 4ull);
  const Bytes bad = tga(Layout{10, 65535, 65535, 24, 0, 0, 0, 0});
  EXPECT_EQ(tga_file_size(bad.data()), kTgaHeaderSize);  // nothing beyond the header is read
}

}  // namespace
