// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// roomtour's frame, read back from GL: the view, the furniture and the
// textured quads through GL feedback, and pixels at points projected from
// the room's geometry.
//
// Each test image is a 16 x 16 gradient whose red grows with s and green
// with t (256 s and 256 t, exactly, under linear filtering) and whose blue is
// its texture name's own (15 + 25 x name). One pixel of a picture so tells
// which image lies there and which way round.
#include "gl_support.h"
#include "roomtour/room.h"
#include "tga_bytes.h"
#include "unit/room_image_names.h"
#include "viewer/camera.h"

#include <GL/glut.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

Rgb texel(int name, double s, double t) {
  return {static_cast<int>(std::lround(256 * s)), static_cast<int>(std::lround(256 * t)),
          15 + 25 * name};
}

void write_test_image(const std::string &path, int name) {
  std::vector<unsigned char> pixels;
  for (int t = 0; t < 16; ++t) {
    for (int s = 0; s < 16; ++s) {
      pixels.insert(pixels.end(), {static_cast<unsigned char>(16 * s + 8),
                                   static_cast<unsigned char>(16 * t + 8),
                                   static_cast<unsigned char>(15 + 25 * name)});
    }
  }
  const std::vector<unsigned char> b = tga_bytes({2, 16, 16, 24}, pixels);
  std::FILE *f = std::fopen(path.c_str(), "wb");
  std::fwrite(b.data(), 1, b.size(), f);
  std::fclose(f);
}

struct Pose {
  float x, y, z, theta, pitch;
};

// A run of primitives as it must be: its colour and the box round it, in room units.
struct Expected {
  const char *what;
  std::array<float, 3> colour;
  std::array<double, 3> lo, hi;
};

void expect_box(const Box &box, const Expected &want) {
  EXPECT_EQ(box.colour, want.colour) << want.what;
  for (int k = 0; k < 3; ++k) {
    EXPECT_NEAR(box.lo[k], want.lo[k], 1e-3) << want.what << " axis " << k;
    EXPECT_NEAR(box.hi[k], want.hi[k], 1e-3) << want.what << " axis " << k;
  }
}

std::string init_errors;

class RoomScene : public ::testing::Test {
 protected:
  // init() gives the light positions in the current model-view matrix, which
  // the program has at the identity when it starts.
  static void SetUpTestSuite() {
    open_test_window(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    char folder[] = "/tmp/roomtour-gl-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string img = std::string(folder) + "/img";
    ASSERT_EQ(mkdir(img.c_str(), 0700), 0);
    for (int name = 0; name < 10; ++name) {
      write_test_image(img + "/" + kRoomImages[name] + ".tga", name);
    }
    char here[4096];
    ASSERT_NE(getcwd(here, sizeof here), nullptr);
    ASSERT_EQ(chdir(folder), 0);
    gl_errors();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    init();
    init_errors = gl_errors();
    ASSERT_EQ(chdir(here), 0);
    std::system(("rm -rf '" + std::string(folder) + "'").c_str());
  }

  void SetUp() override {
    reshape(500, 500);
    fan_angle = 0;
  }

  // Draws a frame from a pose; the model-view matrix is then the view.
  static void frame_from(const Pose &p) {
    set_camera_pose(p.x, p.y, p.z, p.theta, p.pitch);
    draw_frame();
  }
};

// The frame looks from the camera at the point 5 units ahead and `pitch`
// below, unrounded (planets truncates), with y up. The reshape and menu
// callbacks the program registers do their part.
TEST_F(RoomScene, FrameLooksAtThePointFiveUnitsAheadReshapeAndMenuDoTheirPart) {
  frame_from({1, 2, 3, 0.2f, 1.5f});
  const double th = 0.2f, ahead[3] = {1 - 5 * std::sin(th), 2 - 1.5, 3 - 5 * std::cos(th)};
  const Projected centre = project(ahead[0], ahead[1], ahead[2]);
  const Projected above = project(ahead[0], ahead[1] + 1, ahead[2]);
  EXPECT_NEAR(centre.x, 250, 1e-3);
  EXPECT_NEAR(centre.y, 250, 1e-3);
  EXPECT_NEAR(above.x, 250, 1e-3);
  EXPECT_GT(above.y, 260);
  check_reshape(reshape, 80);
  menuFunction(1);  // the registered callback of "Reset view"
  EXPECT_TRUE(camera_x == 0 && camera_y == 0 && camera_z == 5);
}

// Set-up and a frame raise no GL error and leave what the next frame expects:
// every push popped, lighting and texturing off, name 0 bound. The material
// and the lights read back as set up: the lights, given once in eye space,
// stay there whatever the camera does.
TEST_F(RoomScene, InitAndAFrameLeaveTheStateTheyShould) {
  EXPECT_EQ(init_errors, "");
  frame_from({3, 1, 8, 2.5f, -1});
  EXPECT_EQ(gl_errors(), "");
  GLint depth = 0, bound = -1;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(depth, 1);
  EXPECT_EQ(bound, 0);
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  GLfloat got[5][4] = {};
  glGetMaterialfv(GL_FRONT, GL_AMBIENT, got[0]);
  glGetMaterialfv(GL_FRONT, GL_SPECULAR, got[1]);
  glGetMaterialfv(GL_FRONT, GL_SHININESS, got[2]);
  glGetLightfv(GL_LIGHT0, GL_POSITION, got[3]);
  glGetLightfv(GL_LIGHT1, GL_POSITION, got[4]);
  const GLfloat want[5][4] = {
      {1, 1, 1, 1}, {0.1f, 0.1f, 0.1f, 1}, {5, 0, 0, 0}, {6.5f, 8, 5, 0}, {6.5f, 0, 8, 0}};
  for (int i = 0; i < 5; ++i) {
    for (int k = 0; k < 4; ++k) EXPECT_FLOAT_EQ(got[i][k], want[i][k]) << "row " << i;
  }
}

// Room units, from the layout of the furniture; the fan is turned 45 degrees,
// so its blades (4 x 0.4 x 1, centred 0.5 off the hub) reach 3 / sqrt 2 along
// x and z, where unturned they would reach 2.5.
TEST_F(RoomScene, EveryFurnitureRowHasItsColourAndPlace) {
  const double fan = 3 / std::sqrt(2.0);
  const Expected rows[] = {
      {"bookshelf", {1, 0, 0}, {8, 0, 0}, {11, 3, 1}},
      {"fan", {1, 1, 1}, {6.5 - fan, 7, 5 - fan}, {6.5 + fan, 9, 5 + fan}},
      {"desk", {0, 0, 1}, {3, 0, 7}, {8, 3.1, 10}},
      {"computer", {0, 0, 0}, {6.9, -0.2, 7}, {7.9, 1.8, 9}},
      {"monitor", {0.2f, 0.2f, 0.2f}, {4.5, 2, 9}, {6.5, 5.25, 10}},
      {"keyboard", {1, 1, 1}, {4.5, 3.01, 7.1}, {6.5, 3.21, 7.6}},
      {"bed", {0.5f, 0.25f, 0}, {0, 0, 0}, {7, 4, 5}},
  };
  fan_angle = 45;
  glDisable(GL_LIGHTING);  // feedback then carries the current colours
  const std::vector<Box> runs = runs_by_colour(feedback(drawFurniture));
  ASSERT_EQ(runs.size(), 7u);
  for (int i = 0; i < 7; ++i) expect_box(runs[i], rows[i]);
}

// Each textured quad, in drawing order, with its colour and where it lies.
TEST_F(RoomScene, EveryTexturedQuadHasItsColourAndPlace) {
  const std::array<float, 3> white{1, 1, 1};
  const Expected rows[] = {
      {"floor", white, {0, 0, 0}, {13, 0, 10}},
      {"ceiling", white, {0, 8, 0}, {13, 8, 10}},
      {"back wall", white, {0, 0, 0}, {13, 8, 0}},
      {"front wall", white, {0, 0, 10}, {13, 8, 10}},
      {"left wall", white, {0, 0, 0}, {0, 8, 10}},
      {"right wall", white, {13, 0, 0}, {13, 8, 10}},
      {"back window", white, {8, 4, 0.01}, {11, 7, 0.01}},
      {"left window", white, {0.01, 4, 1}, {0.01, 7, 4}},
      {"door", white, {9, 0.01, 9.99}, {12, 7, 9.99}},
      {"bookshelf front", white, {8, 0, 1.01}, {11, 3, 1.01}},
      {"monitor screen", {0.2f, 0.2f, 0.2f}, {4.7, 3.9, 8.98}, {6.3, 5.1, 8.98}},
      {"quilt", {0.5f, 0.25f, 0}, {0, 2.04, 0}, {7, 2.04, 5}},
  };
  glDisable(GL_LIGHTING);
  const std::vector<Primitive> triangles = feedback(drawTexturedSurfaces);
  ASSERT_EQ(triangles.size(), 2 * 12u);  // each quad as two triangles
  for (int i = 0; i < 12; ++i) {
    expect_box(bounds(&triangles[2 * i], &triangles[2 * i + 2]), rows[i]);
  }
}

// Each row: a pose, a world point on a picture, and the image (texture name)
// and texture coordinates s, t that must show there. The points avoid the
// picture's symmetries (s, t away from 0.5, from each other and from 1 - each
// other), so a picture turned or mirrored shows another s, t. Under a full
// ambient light every lit colour is white, so each pixel is the texel itself.
TEST_F(RoomScene, EveryPictureLiesWhereAndWhichWayRoundItShould) {
  const Pose start{6.5f, 4, 5, 0, 0};
  const Pose half_turn{6.5f, 4, 5, static_cast<float>(16 * 0.2), 0};
  const Pose facing_left{6.5f, 4, 5, 1.6f, 0};
  const Pose facing_right{6.5f, 4, 5, -1.6f, 0};
  const Pose down_on_floor{8, 5, 6, 0, 200};
  const Pose up_at_ceiling{6.5f, 2, 5, 0, -200};
  const Pose down_on_bed{3.5f, 6, 2.5f, 0, 200};
  const struct {
    const char *what;
    Pose pose;
    double x, y, z;
    Rgb colour;
  } rows[] = {
      {"floor", down_on_floor, 10.4, 0, 4, texel(kCarpetTexture, 0.8, 0.4)},
      {"ceiling", up_at_ceiling, 10.4, 8, 4, texel(kCeilingTexture, 0.8, 0.4)},
      {"back wall", start, 2.6, 3.2, 0, texel(kRockTexture, 0.2, 0.4)},
      // Seen from inside, the front and left walls and the door are mirrored.
      {"front wall", half_turn, 7.8, 6.4, 10, texel(kRockTexture, 0.6, 0.8)},
      {"left wall", facing_left, 0, 2.8, 8, texel(kRockTexture, 0.8, 0.35)},
      {"right wall", facing_right, 13, 4.8, 2.5, texel(kClosetTexture, 0.25, 0.6)},
      {"back window", start, 8.75, 5.8, 0.01, texel(kBackWindowTexture, 0.25, 0.6)},
      {"left window", facing_left, 0.01, 5.8, 3.25, texel(kLeftWindowTexture, 0.25, 0.6)},
      {"door", half_turn, 11.25, 0.01 + 6.99 * 0.4, 9.99, texel(kDoorTexture, 0.75, 0.4)},
      {"bookshelf front", start, 8.75, 1.8, 1.01, texel(kBookshelfTexture, 0.25, 0.6)},
      {"monitor screen", half_turn, 5.9, 4.62, 8.98, texel(kDesktopTexture, 0.25, 0.6)},
      {"quilt", down_on_bed, 4.2, 2.04, 1.25, texel(kQuiltTexture, 0.25, 0.6)},
      // The walls, drawn after the furniture, must not cover it (untextured,
      // it shows the full ambient's white).
      {"bookshelf top", start, 9.5, 3, 0.5, {255, 255, 255}},
  };
  const GLfloat full[] = {1, 1, 1, 1}, usual[] = {0.2f, 0.2f, 0.2f, 1};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, full);
  for (const auto &row : rows) {
    frame_from(row.pose);
    const Projected p = project(row.x, row.y, row.z);
    EXPECT_TRUE(p.x > 1 && p.x < 499 && p.y > 1 && p.y < 499) << row.what << " is out of view";
    const Rgb seen = pixel_at_point(row.x, row.y, row.z);
    EXPECT_TRUE(close_to(seen, row.colour, 6))
        << row.what << ": " << to_string(seen) << ", expected " << to_string(row.colour);
  }
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, usual);
  EXPECT_EQ(gl_errors(), "");
}

// Colour tracks only the diffuse light and the texture modulates it, so a
// tint shows where the pictures' shared normal (world +z) gets light: looking
// steeply down at them. Screen and door show the same texel here.
TEST_F(RoomScene, GreyTintDarkensTheScreenWhereThePicturesAreLit) {
  frame_from({8, 7.5f, 5, 3.14159f, 8.66f});
  const Rgb screen = pixel_at_point(5.1, 4.8, 8.98);    // s = t = 0.75, grey
  const Rgb door = pixel_at_point(11.25, 5.2525, 9.99);  // s = t = 0.75, white
  EXPECT_GT(door[0], 100) << to_string(door);
  EXPECT_LT(screen[0], door[0] * 0.6) << to_string(screen) << " vs " << to_string(door);
}

}  // namespace
