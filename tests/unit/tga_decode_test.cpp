// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The TGA decoder over crafted files, good and hostile.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "loadtga/tga_decode.h"
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

TEST(TgaDecode, TakesEveryLayoutOfAFile) {
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

// Every image type and pixel size, as the decoder's header lists them: taken
// with the three bytes each pixel becomes, or TGA_BAD_TYPE, which load_gl_tga
// prints as "TGA Error: Bad image type". Each file is 2 x 1 with pixel bytes
// 3, 10, 17, 24 ... as many as its pixel size asks for.
TEST(TgaDecode, EachImageTypeAndPixelSizeIsTakenOrRejected) {
  const Bytes as_stored{3, 10, 17, 24, 31, 38};
  const Bytes fourth_dropped{3, 10, 17, 31, 38, 45};
  const Bytes widened{3, 3, 3, 10, 10, 10};
  const struct {
    int type, colour_map, bits;
    TgaResult result;
    Bytes rgb;
  } cases[] = {
      {2, 0, 24, TGA_OK, as_stored},       // true colour
      {2, 0, 32, TGA_OK, fourth_dropped},  // true colour and alpha
      {2, 0, 8, TGA_OK, widened},          // one byte a pixel, taken as grey
      {2, 0, 15, TGA_BAD_TYPE, {}},        // five bits a channel
      {2, 0, 16, TGA_BAD_TYPE, {}},        // five bits a channel and one of alpha
      {2, 0, 0, TGA_BAD_TYPE, {}},         // no pixel size
      {2, 0, 25, TGA_BAD_TYPE, {}},        // not a whole number of bytes
      {3, 0, 8, TGA_OK, widened},          // grey
      {3, 0, 24, TGA_OK, as_stored},       // three bytes a pixel, taken as true colour
      {3, 0, 32, TGA_OK, fourth_dropped},  // four bytes a pixel, likewise
      {3, 0, 16, TGA_BAD_TYPE, {}},        // grey and alpha
      {2, 1, 24, TGA_BAD_TYPE, {}},        // true colour with a colour map
      {1, 1, 8, TGA_BAD_TYPE, {}},         // colour-mapped
      {9, 1, 8, TGA_BAD_TYPE, {}},         // run-length colour-mapped
      {10, 0, 24, TGA_BAD_TYPE, {}},       // run-length true colour
      {11, 0, 8, TGA_BAD_TYPE, {}},        // run-length grey
      {0, 0, 24, TGA_BAD_TYPE, {}},        // no image
      {32, 0, 24, TGA_BAD_TYPE, {}},       // compressed colour-mapped
  };
  for (const auto &c : cases) {
    const std::string name = "type " + std::to_string(c.type) + ", " + std::to_string(c.bits) +
                             " bits" + (c.colour_map ? ", colour map" : "");
    const Bytes file = tga(Layout{c.type, 2, 1, c.bits, 0, c.colour_map});
    TgaImage image;
    image.width = 9;
    image.rgb.assign(5, 1);
    EXPECT_EQ(decode_tga(file.data(), file.size(), &image), c.result) << name;
    EXPECT_EQ(image.rgb, c.rgb) << name;
    EXPECT_EQ(image.width, c.result == TGA_OK ? 2 : 0) << name;
    // What load_gl_tga reads: the whole file, or for a file not taken its header.
    EXPECT_EQ(tga_file_size(file.data()), c.result == TGA_OK ? file.size() : kTgaHeaderSize)
        << name;
  }
}

TEST(TgaDecode, RejectsWhatItCannotRead) {
  struct Case {
    std::string name;
    Bytes file;
    TgaResult result;
  };
  const Bytes good = tga({});
  Bytes id_past_end = tga(Layout{2, 2, 1, 24, 0});
  id_past_end[0] = 200;  // promises 200 bytes of identification that are not there
  const Case cases[] = {
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
