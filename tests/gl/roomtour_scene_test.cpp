// roomtour's rendered room, checked at points projected from its geometry.
//
// The fixture loads ten test images whose quadrants are red (s < 0.5, t <
// 0.5), green (s > 0.5, t < 0.5), blue (s < 0.5, t > 0.5) and yellow (both
// > 0.5); the rock of the walls is plain grey. Where a quadrant shows on the
// screen tells which way round each picture lies.
#include "gl_support.h"
#include "loadtga/loadtga.h"
#include "roomtour/room.h"
#include "tga_bytes.h"
#include "viewer/camera.h"

#include <GL/glut.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char *const kImageFiles[] = {"carpet",   "b2_rock",  "closet",  "bookshelf", "quilt",
                                   "officebk", "officert", "greenup", "comp_desk", "door"};

void write_test_image(const std::string &path, bool plain_grey) {
  const int side = 8;
  std::vector<unsigned char> pixels;
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      const bool right = x >= side / 2, top = y >= side / 2;
      unsigned char c[3] = {128, 128, 128};
      if (!plain_grey) {
        c[0] = (!top && !right) || (top && right) ? 255 : 0;
        c[1] = right ? 255 : 0;
        c[2] = top && !right ? 255 : 0;
      }
      pixels.insert(pixels.end(), c, c + 3);
    }
  }
  const std::vector<unsigned char> b = tga_bytes({2, side, side, 24}, pixels);
  std::FILE *f = std::fopen(path.c_str(), "wb");
  std::fwrite(b.data(), 1, b.size(), f);
  std::fclose(f);
}

// Which colour a pixel shows, allowing for light and tint: 'R', 'G', 'B',
// 'Y' (red and green), 'W' (grey or white), 'K' (black) or '?'. The grey of
// the ambient light, which every surface gets untinted, is taken off first.
char colour_class(const Rgb &p) {
  const int m = std::max({p[0], p[1], p[2]});
  const int n = std::min({p[0], p[1], p[2]});
  if (m < 16) return 'K';
  if (m - n < 0.3 * m) return 'W';
  const double half = (m - n) * 0.5;
  const bool r = p[0] - n > half, g = p[1] - n > half, b = p[2] - n > half;
  if (r && g) return 'Y';
  if (r && !g && !b) return 'R';
  if (g && !r && !b) return 'G';
  if (b && !r && !g) return 'B';
  return '?';
}

struct Pose {
  float x, y, z, theta, pitch;
};

std::string init_errors;

class RoomScene : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    open_test_window(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    char folder[] = "/tmp/roomtour-gl-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string img = std::string(folder) + "/img";
    ASSERT_EQ(mkdir(img.c_str(), 0700), 0);
    for (const char *name : kImageFiles) {
      write_test_image(img + "/" + name + ".tga", std::string(name) == "b2_rock");
    }
    char here[4096];
    ASSERT_NE(getcwd(here, sizeof here), nullptr);
    ASSERT_EQ(chdir(folder), 0);
    gl_errors();
    init();
    init_errors = gl_errors();
    ASSERT_EQ(chdir(here), 0);
    std::system(("rm -rf '" + std::string(folder) + "'").c_str());
  }

  void SetUp() override {
    reshape(500, 500);
    set_camera_pose(6.5f, 4, 5, 0, 0);
    move_speed = turn_speed = 0.1f;
    fan_angle = 0;
  }

  // Draws a frame from a pose; the model-view matrix is then the view.
  void frame_from(const Pose &p) {
    set_camera_pose(p.x, p.y, p.z, p.theta, p.pitch);
    draw_frame();
  }

  // The colour class at a world point, which must lie inside the window.
  char class_at(double x, double y, double z) {
    const Projected p = project(x, y, z);
    EXPECT_TRUE(p.x > 1 && p.x < 499 && p.y > 1 && p.y < 499)
        << "(" << x << ", " << y << ", " << z << ") projects outside the window";
    return colour_class(pixel_at_point(x, y, z));
  }
};

TEST_F(RoomScene, InitAndAFrameLeaveNoGlErrors) {
  EXPECT_EQ(init_errors, "");
  draw_frame();
  EXPECT_EQ(gl_errors(), "");
  GLint depth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  EXPECT_EQ(depth, 1);  // every push of the passes is popped
}

// Each row: a pose, a world point, and the quadrant colour that must show there.
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
    char colour;
  } rows[] = {
      {"back window, lower left", start, 8.75, 4.75, 0.01, 'R'},
      {"back window, lower right", start, 10.25, 4.75, 0.01, 'G'},
      {"back window, upper left", start, 8.75, 6.25, 0.01, 'B'},
      {"back window, upper right", start, 10.25, 6.25, 0.01, 'Y'},
      {"bookshelf picture, lower left", start, 8.75, 0.75, 1.01, 'R'},
      {"bookshelf picture, upper right", start, 10.25, 2.25, 1.01, 'Y'},
      {"bookshelf top, red", start, 9.5, 3, 0.5, 'R'},
      {"back wall, rock", start, 3, 6, 0, 'W'},
      // Seen from inside, the door is mirrored: its s = 0 edge is on the right.
      // (Lower down, the desk's leg hides its s = 0.25 side from here.)
      {"door, lower s = 0.25", half_turn, 9.75, 2.8, 9.99, 'R'},
      {"door, lower s = 0.75", half_turn, 11.25, 2.8, 9.99, 'G'},
      {"door, upper s = 0.25", half_turn, 9.75, 5.25, 9.99, 'B'},
      {"door, upper s = 0.75", half_turn, 11.25, 5.25, 9.99, 'Y'},
      {"monitor screen, lower left", half_turn, 5.9, 4.2, 8.98, 'R'},
      {"monitor screen, lower right", half_turn, 5.1, 4.2, 8.98, 'G'},
      {"monitor screen, upper left", half_turn, 5.9, 4.8, 8.98, 'B'},
      {"monitor screen, upper right", half_turn, 5.1, 4.8, 8.98, 'Y'},
      {"desk, front of the top", half_turn, 6, 3.0, 7, 'B'},
      {"front wall, rock", half_turn, 7, 6.5, 10, 'W'},
      {"left window, lower left", facing_left, 0.01, 4.75, 3.25, 'R'},
      {"left window, lower right", facing_left, 0.01, 4.75, 1.75, 'G'},
      {"left window, upper left", facing_left, 0.01, 6.25, 3.25, 'B'},
      {"left window, upper right", facing_left, 0.01, 6.25, 1.75, 'Y'},
      {"closet, lower left", facing_right, 13, 2, 2.5, 'R'},
      {"closet, lower right", facing_right, 13, 2, 7.5, 'G'},
      {"closet, upper left", facing_right, 13, 6, 2.5, 'B'},
      {"closet, upper right", facing_right, 13, 6, 7.5, 'Y'},
      {"floor, s > 0.5, t < 0.5", down_on_floor, 10, 0, 3, 'G'},
      {"floor, s < 0.5, t > 0.5", down_on_floor, 5.5, 0, 6.2, 'B'},
      {"floor, s > 0.5, t > 0.5", down_on_floor, 10, 0, 8, 'Y'},
      {"ceiling, s < 0.5, t < 0.5", up_at_ceiling, 3.25, 8, 2.5, 'R'},
      {"ceiling, s > 0.5, t < 0.5", up_at_ceiling, 9.75, 8, 2.5, 'G'},
      {"ceiling, s < 0.5, t > 0.5", up_at_ceiling, 3.25, 8, 7.5, 'B'},
      {"ceiling, s > 0.5, t > 0.5", up_at_ceiling, 9.75, 8, 7.5, 'Y'},
      // The quilt's s runs along z and its t along x.
      {"quilt, s < 0.5, t < 0.5", down_on_bed, 1.75, 2.04, 1.25, 'R'},
      {"quilt, s > 0.5, t < 0.5", down_on_bed, 1.75, 2.04, 3.75, 'G'},
      {"quilt, s < 0.5, t > 0.5", down_on_bed, 5.25, 2.04, 1.25, 'B'},
      {"quilt, s > 0.5, t > 0.5", down_on_bed, 5.25, 2.04, 3.75, 'Y'},
  };
  for (const auto &row : rows) {
    frame_from(row.pose);
    const Rgb seen = pixel_at_point(row.x, row.y, row.z);
    EXPECT_EQ(class_at(row.x, row.y, row.z), row.colour) << row.what << ": " << to_string(seen);
  }
  EXPECT_EQ(gl_errors(), "");
}

TEST_F(RoomScene, MirroredPicturesAreMirroredOnTheScreen) {
  frame_from({6.5f, 4, 5, static_cast<float>(16 * 0.2), 0});
  // The door's s = 0.25 point lies right of its s = 0.75 point on the screen,
  // the monitor's left of it.
  EXPECT_GT(project(9.75, 3, 9.99).x, project(11.25, 3, 9.99).x);
  EXPECT_LT(project(5.9, 4.5, 8.98).x, project(5.1, 4.5, 8.98).x);
}

// Colour tracks only the diffuse term, so a tint shows where the shared
// normal of the pictures (world +z) gets light: looking steeply down at them.
TEST_F(RoomScene, GreyTintDarkensTheScreenWhereThePicturesAreLit) {
  frame_from({8, 7.5f, 5, 3.14159f, 8.66f});
  const Rgb screen = pixel_at_point(5.1, 4.8, 8.98);   // yellow texels, grey colour
  const Rgb door = pixel_at_point(11.25, 5.25, 9.99);  // yellow texels, white colour
  EXPECT_EQ(colour_class(door), 'Y') << to_string(door);
  EXPECT_GT(door[0], 100) << to_string(door);
  EXPECT_LT(screen[0], door[0] * 0.6) << to_string(screen) << " vs " << to_string(door);
}

// Colour is not part of the matrix stack: the last row's brown stays current
// through the textured pass, which ends on the quilt's brown.
TEST_F(RoomScene, ColourOfTheLastRowStaysCurrent) {
  glLoadIdentity();
  drawFurniture();
  GLfloat c[4];
  glGetFloatv(GL_CURRENT_COLOR, c);
  EXPECT_FLOAT_EQ(c[0], 0.5f);
  EXPECT_FLOAT_EQ(c[1], 0.25f);
  EXPECT_FLOAT_EQ(c[2], 0);
  GLboolean textured = GL_TRUE;
  glGetBooleanv(GL_TEXTURE_2D, &textured);
  EXPECT_FALSE(textured);
  drawTexturedSurfaces();
  GLint bound = -1;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(bound, 0);
  glGetBooleanv(GL_TEXTURE_2D, &textured);
  EXPECT_FALSE(textured);
}

// A picture that failed to load leaves its quad drawn in its own colour.
TEST_F(RoomScene, ScreenWithoutItsPictureIsDarkGrey) {
  const GLuint desktop = kDesktopTexture;
  glDeleteTextures(1, &desktop);
  frame_from({6.5f, 4, 5, static_cast<float>(16 * 0.2), 0});
  const Rgb screen = pixel_at_point(5.5, 4.5, 8.98);
  EXPECT_EQ(colour_class(screen), 'W') << to_string(screen);
  EXPECT_GT(screen[0], 20) << to_string(screen);
  EXPECT_LT(screen[0], 90) << to_string(screen);
  // Back as it was, for the tests that follow in this process.
  char path[] = "/tmp/roomtour-screen-XXXXXX";
  const int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  close(fd);
  write_test_image(path, false);
  EXPECT_EQ(load_gl_tga(path, kDesktopTexture), 0);
  std::remove(path);
}

// Looking up from under the fan: the blades form a cross along x and z at 0
// and at 90 degrees, and lie on the diagonals at 45.
TEST_F(RoomScene, FanBladesTurnOneDegreeAnIdleCall) {
  const Pose under_fan{6.5f, 4, 5, 0, -1000};
  auto blades_on_axes = [&] {
    return class_at(8.5, 7.8, 5) == 'W' && class_at(4.5, 7.8, 5) == 'W' &&
           class_at(6.5, 7.8, 7) == 'W' && class_at(6.5, 7.8, 3) == 'W';
  };
  auto blades_on_diagonals = [&] {
    return class_at(7.9, 7.8, 6.4) == 'W' && class_at(5.1, 7.8, 3.6) == 'W' &&
           class_at(7.9, 7.8, 3.6) == 'W' && class_at(5.1, 7.8, 6.4) == 'W';
  };
  frame_from(under_fan);
  EXPECT_TRUE(blades_on_axes());
  EXPECT_FALSE(blades_on_diagonals());
  for (int i = 0; i < 45; ++i) rotate_fan();
  EXPECT_EQ(fan_angle, 45.0f);
  frame_from(under_fan);
  EXPECT_FALSE(blades_on_axes());
  EXPECT_TRUE(blades_on_diagonals());
  for (int i = 0; i < 45; ++i) rotate_fan();
  frame_from(under_fan);
  EXPECT_TRUE(blades_on_axes());
  EXPECT_FALSE(blades_on_diagonals());
}

// The light is fixed to the eye: moving leaves the shade of a face as it was,
// turning changes it.
TEST_F(RoomScene, ShadeFollowsTheHeadingNotThePosition) {
  const double face[3] = {11, 1.5, 0.5};  // the bookshelf's +x side
  frame_from({12.5f, 2, 3, 0, 0});
  const Rgb before = pixel_at_point(face[0], face[1], face[2]);
  for (const char key : {'a', 'a', 'a', 'f', 'f', 'f', 's', 's', 's'}) keypress(key, 0, 0);
  draw_frame();
  const Rgb moved = pixel_at_point(face[0], face[1], face[2]);
  for (const char key : {'j', 'j', 'j'}) keypress(key, 0, 0);
  draw_frame();
  const Rgb turned = pixel_at_point(face[0], face[1], face[2]);
  EXPECT_EQ(colour_class(before), 'R') << to_string(before);
  EXPECT_TRUE(close_to(moved, before, 1)) << to_string(moved) << " vs " << to_string(before);
  EXPECT_GT(std::abs(turned[0] - before[0]), 8) << to_string(turned) << " vs " << to_string(before);
}

}  // namespace
