// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// planets' frame and the shared helpers, read back from GL: pixels of a
// frame, and what the drawing routines hand to GL (feedback).
#include "gl_support.h"
#include "planets/solar.h"
#include "unit/view_words.h"
#include "viewer/camera.h"
#include "viewer/helpers.h"
#include "viewer/sight.h"

#include <GL/glut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr double kScale = 0.0169104;
constexpr double kPi = 3.141592653589793;

float *const kAngles[] = {&mercury_orbit_angle, &venus_orbit_angle,   &earth_orbit_angle,
                          &mars_orbit_angle,    &jupiter_orbit_angle, &saturn_orbit_angle,
                          &uranus_orbit_angle,  &neptune_orbit_angle, &pluto_orbit_angle};

class PlanetsScene : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    open_test_window(GLUT_DOUBLE | GLUT_RGB);
    init();
  }
  void SetUp() override {
    reshape(500, 500);
    reset_view();
    speed = 1;
    freeze_planets = 0;
    for (float *a : kAngles) *a = 0;
    gl_errors();
  }
};

TEST_F(PlanetsScene, InitLeavesFlatUnlitUntexturedDrawingAndReshapeTheFrustum) {
  GLint shade = 0;
  glGetIntegerv(GL_SHADE_MODEL, &shade);
  EXPECT_EQ(shade, GL_FLAT);
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  check_reshape(reshape, 40);
}

// Whether a line of the colour crosses window row or column `at` (the
// rasteriser puts a line through the middle on 249 or 250) at `along`.
bool line_at(const Rgb &colour, bool row, int at, int along) {
  for (const int a : {at - 1, at}) {
    if (close_to(row ? pixel_at(along, a) : pixel_at(a, along), colour, 2)) return true;
  }
  return false;
}

// Each axis shows in its colour through the middle of the view. At heading
// 0.2 the look-at offsets (0.99, 4.90) truncate to (0, 4), so the view still
// looks straight at the origin; from +x the heading pi / 2 looks along -x.
TEST_F(PlanetsScene, AxesCrossAtTheCentreOfTheView) {
  const struct {
    float x, z, theta;
    Rgb row_colour, column_colour;
  } views[] = {
      {0, 25, 0, {255, 0, 0}, {0, 255, 0}},
      {0, 25, 0.2f, {255, 0, 0}, {0, 255, 0}},
      {25, 0, static_cast<float>(kPi / 2), {0, 0, 255}, {0, 255, 0}},
  };
  GLint before = 0, after = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &before);
  for (const auto &v : views) {
    set_camera_pose(v.x, 0, v.z, v.theta, 0);
    draw_frame();
    for (const int along : {30, 120, 470}) {
      EXPECT_TRUE(line_at(v.row_colour, true, 250, along)) << v.theta << " row at " << along;
      EXPECT_TRUE(line_at(v.column_colour, false, 250, along)) << v.theta << " column " << along;
    }
  }
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &after);
  EXPECT_EQ(before, after);
  EXPECT_EQ(gl_errors(), "");
}

// Every row of the body table, drawn by the scene step: its colour (Neptune's
// blue of 8 clamped to 1), its distance and its radius, in world units after
// the scene's scale. Frozen, every body sits on +x at its distance; running,
// at (d cos a, 0, -d sin a) for its own orbit angle a, a different one each.
TEST_F(PlanetsScene, EveryBodyHasItsColourDistanceSizeAndOrbit) {
  const struct {
    const char *name;
    std::array<float, 3> colour;
    double distance, radius;
  } rows[] = {
      {"Sun", {1, 1, 0}, 0, 139},
      {"Mercury", {1, 0, 0}, 157910, 4.88},
      {"Venus", {1, 1, 0}, 208200, 12.1036},
      {"Earth", {0, 0, 1}, 249600, 12.7563},
      {"Mars", {1, 0, 0}, 327940, 6.794},
      {"Jupiter", {1, 0.5f, 0}, 578330, 152.984},
      {"Saturn", {0.2f, 0.2f, 0.2f}, 729400, 120.536},
      {"Uranus", {0, 0, 0.6f}, 870990, 51.118},
      {"Neptune", {0, 0, 1}, 1003903, 49.532},
      {"Pluto", {0.3f, 0.3f, 0.3f}, 1113520, 2.274},
  };
  for (int i = 0; i < 9; ++i) *kAngles[i] = 35.0f * (i + 1);
  for (const bool frozen : {true, false}) {
    menuFunction(2);  // the registered callback of "(Un)Freeze Planets"
    ASSERT_EQ(freeze_planets, frozen ? 1 : 0);
    // Magnified 10 times, and 90 times in y, where only the radii reach; the
    // axes, drawn after the bodies, are the last runs.
    const std::vector<Box> runs = runs_by_colour(feedback(drawSolarSystem, {10, 90, 10}));
    ASSERT_EQ(runs.size(), 10u + 3u);
    for (int i = 0; i < 10; ++i) {
      const Box &run = runs[i];
      const double d = rows[i].distance * 0.001 * kScale, r = rows[i].radius * kScale;
      const double a = frozen || i == 0 ? 0 : *kAngles[i - 1] * kPi / 180;
      const double centre[3] = {d * std::cos(a), 0, -d * std::sin(a)};
      EXPECT_EQ(run.colour, rows[i].colour) << rows[i].name;
      for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR((run.lo[k] + run.hi[k]) / 2, centre[k], 8e-6)
            << rows[i].name << (frozen ? " frozen" : " running") << ", axis " << k;
      }
      EXPECT_NEAR((run.hi[1] - run.lo[1]) / 2, r, 1e-6) << rows[i].name;
    }
    // The view's words name a body where GL's own matrices put the centre
    // drawn into the picture: from the start, turned a quarter round (the
    // truncated look-at along -x) and from above.
    reshape(500, 500);  // after the feedback's own projection
    for (const char *keys : {"", "jjjjjjjj", "ffffffffffffffffffffffffffffffiiii"}) {
      reset_view();
      for (const char *k = keys; *k; ++k) keypress(*k, 0, 0);
      glLoadIdentity();
      look_from_camera(true);
      std::vector<std::string> in_picture;
      for (int i = 0; i < 10; ++i) {
        const double c[3] = {(runs[i].lo[0] + runs[i].hi[0]) / 2, 0,
                             (runs[i].lo[2] + runs[i].hi[2]) / 2};
        const Projected p = project(c[0], c[1], c[2]);
        // A depth of 0 is gluProject refusing a point in the eye's own plane.
        if (p.x >= 0 && p.x <= 500 && p.y >= 0 && p.y <= 500 && p.depth > 0 && p.depth <= 1) {
          std::string name = rows[i].name;
          name[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[0])));
          in_picture.push_back(name);
        }
      }
      EXPECT_EQ(words_objects(describe_view()), in_picture)
          << (frozen ? "frozen" : "running") << " after '" << keys
          << "': " << words_text(describe_view());
    }
  }
}

TEST_F(PlanetsScene, GridDrawsTwoNPlusOneLinesEachWayStairsAndGridNothingForNoCount) {
  std::vector<long> along_z, along_x;  // thousandths: x of each line along z, z of each along x
  for (const Primitive &l : feedback([] { drawGrid(2, 1); }, {100, 100, 100})) {
    const auto &a = l.vertices.at(0).at, &b = l.vertices.at(1).at;
    if (std::fabs(a[0] - b[0]) < 1e-4) along_z.push_back(std::lround(a[0] * 1000));
    if (std::fabs(a[2] - b[2]) < 1e-4) along_x.push_back(std::lround(a[2] * 1000));
  }
  EXPECT_EQ(along_z, (std::vector<long>{-1000, -500, 0, 500, 1000}));
  EXPECT_EQ(along_x, (std::vector<long>{-1000, 0, 1000}));
  for (const int n : {0, -1, INT_MIN}) {
    EXPECT_TRUE(feedback([n] { drawGrid(n, n); }).empty()) << n;
    EXPECT_TRUE(feedback([n] { drawGrid(n, 4); }).empty()) << n;
    EXPECT_TRUE(feedback([n] { drawGrid(4, n); }).empty()) << n;
    EXPECT_TRUE(feedback([n] { drawStairs(n); }).empty()) << n;
  }
  EXPECT_EQ(gl_errors(), "");
}

TEST_F(PlanetsScene, StairsTurnTwentyDegreesAndRiseOneUnitASlab) {
  const std::vector<Primitive> faces = feedback([] { drawStairs(19); });
  ASSERT_FALSE(faces.empty());
  ASSERT_EQ(faces.size() % 19, 0u);
  const std::size_t per_slab = faces.size() / 19;
  for (const std::size_t k : {0u, 1u, 9u, 17u, 18u}) {
    const Box slab = bounds(&faces[k * per_slab], &faces[(k + 1) * per_slab]);
    const double a = (k % 18) * 20 * kPi / 180;  // the nineteenth is back at 0
    const double centre[3] = {3 * std::cos(a), static_cast<double>(k), -3 * std::sin(a)};
    for (int i = 0; i < 3; ++i) {
      EXPECT_NEAR((slab.lo[i] + slab.hi[i]) / 2, centre[i], 1e-3) << "slab " << k + 1;
    }
  }
}

}  // namespace
