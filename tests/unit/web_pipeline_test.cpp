// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The browser layer's own arithmetic, where a slip would still draw a
// plausible picture: lighting of one vertex, matrices, mip-map scaling and
// the near-plane cut.
#include "web/gl/pipeline.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// roomtour's material with the brown of the bed tracked as diffuse colour,
// under its light 0 (directional, GL's white) and a black light 1.
struct RoomLighting {
  Material material{{1, 1, 1, 1}, {0.5f, 0.25f, 0, 1}, {0.1f, 0.1f, 0.1f, 1}, {0, 0, 0, 1}, 5};
  Light lights[2] = {{true, {0, 0, 0, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}, {6.5f, 8, 5, 0}},
                     {true, {0, 0, 0, 1}, {0, 0, 0, 1}, {0, 0, 0, 1}, {6.5f, 0, 8, 0}}};
  Vec4 ambient{0.2f, 0.2f, 0.2f, 1};

  Vec4 at(float nx, float ny, float nz) {
    const float n[3] = {nx, ny, nz};
    return light_vertex(material, lights, 2, ambient, n, {0, 0, -5, 1});
  }
};

// By hand, for the normal (0, 0, 0.2) that a scale of 5 along z leaves:
// VP = (6.5, 8, 5) / 11.4564 and n.VP = 0.2 * 0.43644 = 0.087287; the half
// vector (VP + (0, 0, 1)) / 1.69493 gives n.h = 0.2 * 0.84747 = 0.169494,
// whose fifth power is 0.00013986. Red: 0.2 + 0.087287 * 0.5 + 0.1 * that.
TEST(WebLighting, OneVertexAsTheGl11EquationGivesByHand) {
  RoomLighting room;
  const Vec4 c = room.at(0, 0, 0.2f);
  EXPECT_NEAR(c.x, 0.2 + 0.087287 * 0.5 + 0.1 * 0.00013986, 1e-5);
  EXPECT_NEAR(c.y, 0.2 + 0.087287 * 0.25 + 0.1 * 0.00013986, 1e-5);
  EXPECT_NEAR(c.z, 0.2 + 0.1 * 0.00013986, 1e-5);
  EXPECT_EQ(c.w, 1.0f);

  // Facing away from the light: the ambient terms alone, no highlight.
  const Vec4 away = room.at(0, 0, -1);
  EXPECT_FLOAT_EQ(away.x, 0.2f);
  EXPECT_FLOAT_EQ(away.z, 0.2f);

  // A normal longer than 1 (a thin box's) burns out: clamped to 1.
  room.material.diffuse = {1, 1, 1, 1};
  const Vec4 burnt = room.at(0, 0, 10);
  EXPECT_EQ(burnt.x, 1.0f);
  EXPECT_EQ(burnt.y, 1.0f);
}

TEST(WebMatrices, ComposeAsGlMultipliesAndCarryNormalsUnrenormalised) {
  // glRotatef(90, 0, 1, 0) turns +x to -z; translate then scale applies the
  // scale to the point first.
  const Vec4 turned = mat_apply(mat_rotate(90, 0, 1, 0), {1, 0, 0, 1});
  EXPECT_NEAR(turned.x, 0, 1e-6);
  EXPECT_NEAR(turned.z, -1, 1e-6);
  const Vec4 placed = mat_apply(mat_multiply(mat_translate(8, 0, 0), mat_scale(2, 2, 2)), {1, 1, 1, 1});
  EXPECT_FLOAT_EQ(placed.x, 10);
  EXPECT_FLOAT_EQ(placed.y, 2);

  // The bed's scale (7, 4, 5) shortens its normals to 1/7, 1/4 and 1/5.
  float n[9];
  normal_matrix(mat_multiply(mat_rotate(30, 0, 1, 0), mat_scale(7, 4, 5)), n);
  const float up[3] = {n[1], n[4], n[7]};
  EXPECT_NEAR(std::sqrt(up[0] * up[0] + up[1] * up[1] + up[2] * up[2]), 0.25, 1e-6);
  EXPECT_NEAR(n[4], 0.25, 1e-6);

  // The view volume's corners are clip space's taken back through the
  // inverse: a frustum and a turned, moved view undo to the identity; a
  // flattening scale has no inverse.
  const Mat4 m = mat_multiply(mat_frustum(-1, 1, -1, 1, 1, 80),
                              mat_multiply(mat_rotate(30, 0, 1, 0), mat_translate(-6.5f, -4, -5)));
  Mat4 back;
  ASSERT_TRUE(mat_inverse(m, &back));
  const Mat4 one = mat_multiply(back, m);
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(one.m[i], i % 5 == 0 ? 1 : 0, 1e-5) << i;
  EXPECT_FALSE(mat_inverse(mat_scale(1, 0, 1), &back));
}

TEST(WebMipmaps, SidesGoToTheNearestPowerOfTwoAndScaleByBoxOrLine) {
  const struct {
    int side, power;
  } sides[] = {{1, 1}, {3, 4}, {5, 4}, {6, 8}, {256, 256}, {300, 256}, {400, 512}};
  for (const auto &s : sides) EXPECT_EQ(nearest_power_of_two(s.side), s.power) << s.side;

  // Shrinking 4 to 2 averages pairs; 3 to 2 weighs the middle pixel half to each.
  const unsigned char four[] = {0, 100, 200, 250};
  EXPECT_EQ(scale_image(four, 4, 1, 1, 2, 1), (std::vector<unsigned char>{50, 225}));
  const unsigned char three[] = {0, 90, 180};
  EXPECT_EQ(scale_image(three, 3, 1, 1, 2, 1), (std::vector<unsigned char>{30, 150}));
  // Growing 2 to 4 interpolates between pixel centres, holding the ends.
  const unsigned char two[] = {0, 200};
  EXPECT_EQ(scale_image(two, 2, 1, 1, 4, 1), (std::vector<unsigned char>{0, 50, 150, 200}));
  // Columns scale as rows do, channel by channel.
  const unsigned char column[] = {0, 10, 100, 110};  // two pixels of two channels, one above the other
  EXPECT_EQ(scale_image(column, 1, 2, 2, 1, 1), (std::vector<unsigned char>{50, 60}));
}

TEST(WebClipping, WhatLiesBehindTheNearPlaneIsCutAway) {
  // One vertex behind the plane z = -w: two triangles remain, every vertex
  // on or in front of it, the new ones with their values interpolated.
  const std::vector<DrawVertex> triangle = {
      {{0, 0, 0, 1}, {1, 0, 0, 1}, {0, 0}},
      {{1, 0, 0, 1}, {1, 0, 0, 1}, {1, 0}},
      {{0, 1, -3, 1}, {0, 0, 1, 1}, {0, 1}},  // z + w = -2
  };
  std::vector<DrawVertex> cut;
  clip_near(triangle, false, cut);
  ASSERT_EQ(cut.size(), 6u);
  for (const DrawVertex &v : cut) EXPECT_GE(v.clip[2] + v.clip[3], -1e-6) << v.st[1];
  // From (0, 0, 0, 1) to the vertex behind, the plane is a third of the way.
  EXPECT_NEAR(cut[2].st[1], 1.0 / 3, 1e-6);
  EXPECT_NEAR(cut[2].colour[2], 1.0 / 3, 1e-6);

  clip_near({triangle[2], triangle[2], triangle[2]}, false, cut);
  EXPECT_TRUE(cut.empty());
  std::vector<DrawVertex> line;
  clip_near({triangle[0], triangle[2]}, true, line);
  ASSERT_EQ(line.size(), 2u);
  EXPECT_NEAR(line[1].clip[2] + line[1].clip[3], 0, 1e-6);
}

}  // namespace
