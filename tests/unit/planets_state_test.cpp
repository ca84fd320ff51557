// planets' orbits, freeze and speed, and the shared helpers' argument checks.
#include "planets/solar.h"
#include "viewer/camera.h"
#include "viewer/helpers.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>

namespace {

struct Orbit {
  const char *name;
  float *angle;
  double rate;
};

const Orbit kOrbits[] = {
    {"Mercury", &mercury_orbit_angle, 1},    {"Venus", &venus_orbit_angle, 0.7},
    {"Earth", &earth_orbit_angle, 0.5},      {"Mars", &mars_orbit_angle, 0.3},
    {"Jupiter", &jupiter_orbit_angle, 0.25}, {"Saturn", &saturn_orbit_angle, 0.2},
    {"Uranus", &uranus_orbit_angle, 0.15},   {"Neptune", &neptune_orbit_angle, 0.13},
    {"Pluto", &pluto_orbit_angle, 0.1},
};

// The difference b - a of two angles, folded into (-180, 180].
double turned_by(double a, double b) {
  double d = std::fmod(b - a, 360.0);
  if (d > 180) d -= 360;
  if (d <= -180) d += 360;
  return d;
}

class Orbits : public ::testing::Test {
 protected:
  void SetUp() override {
    speed = 1;
    freeze_planets = 0;
    for (const Orbit &o : kOrbits) *o.angle = 0;
  }
};

TEST_F(Orbits, EachIdleCallAdvancesEveryPlanetBySpeedTimesItsRateInDouble) {
  speed = 3;
  float expected[9] = {};
  for (int step = 1; step <= 1000; ++step) {
    rotate();
    for (int i = 0; i < 9; ++i) {
      // The product and the sum in double, the result stored as a float.
      expected[i] = static_cast<float>(std::fmod(expected[i] + 3.0 * kOrbits[i].rate, 360.0));
      ASSERT_EQ(*kOrbits[i].angle, expected[i]) << kOrbits[i].name << " after " << step;
    }
  }
}

TEST_F(Orbits, AMillionCallsLeaveEveryAngleInRangeAndStillMoving) {
  for (int i = 0; i < 1000000; ++i) rotate();
  for (const Orbit &o : kOrbits) {
    EXPECT_GE(*o.angle, 0) << o.name;
    EXPECT_LT(*o.angle, 360) << o.name;
  }
  // Unwrapped, Pluto would sit at 1e5 degrees, where a float step of 0.1
  // comes out as 0.1016: the orbits would drift apart and later stall.
  float before[9];
  for (int i = 0; i < 9; ++i) before[i] = *kOrbits[i].angle;
  rotate();
  for (int i = 0; i < 9; ++i) {
    EXPECT_NEAR(turned_by(before[i], *kOrbits[i].angle), kOrbits[i].rate, 1e-3) << kOrbits[i].name;
  }
}

TEST_F(Orbits, FreezingTogglesButTimeGoesOn) {
  apply_menu(2);
  EXPECT_EQ(freeze_planets, 1);
  rotate();
  rotate();
  EXPECT_EQ(mercury_orbit_angle, 2.0f);
  EXPECT_EQ(pluto_orbit_angle, static_cast<float>(static_cast<float>(0.1) + 0.1));
  apply_menu(2);
  EXPECT_EQ(freeze_planets, 0);
  freeze_planets = 5;  // any other value still toggles to a sane one
  apply_menu(2);
  EXPECT_EQ(freeze_planets, 4);
}

TEST_F(Orbits, SpeedDoublesHalvesAndResets) {
  for (int i = 0; i < 3; ++i) apply_menu(3);
  EXPECT_EQ(speed, 8.0f);
  apply_menu(4);
  EXPECT_EQ(speed, 4.0f);
  for (const float from : {0.0f, 1e-30f, 3.0f, 1e30f, FLT_MAX}) {
    speed = from;
    apply_menu(5);
    EXPECT_EQ(speed, 1.0f) << from;
  }
  for (int i = 0; i < 200; ++i) apply_menu(4);
  EXPECT_EQ(speed, 0.0f);  // no lower limit: it halves down to zero
  apply_menu(3);
  EXPECT_EQ(speed, 0.0f);
}

TEST_F(Orbits, TwoHundredSpeedUpsStopAtTheLargestFloatAndNormalSpeedRecovers) {
  for (int i = 0; i < 200; ++i) apply_menu(3);
  EXPECT_EQ(speed, FLT_MAX);
  for (int i = 0; i < 10; ++i) rotate();
  for (const Orbit &o : kOrbits) {
    EXPECT_TRUE(std::isfinite(*o.angle)) << o.name;
    EXPECT_GE(*o.angle, 0) << o.name;
    EXPECT_LT(*o.angle, 360) << o.name;
  }
  apply_menu(5);
  const float before = earth_orbit_angle;
  rotate();
  EXPECT_NEAR(turned_by(before, earth_orbit_angle), 0.5, 1e-4);
}

TEST_F(Orbits, ResetViewAndUnknownEntriesLeaveOrbitsAlone) {
  speed = 4;
  freeze_planets = 1;
  mercury_orbit_angle = 33;
  set_camera_pose(1, 2, 3, 4, 5);
  apply_menu(1);
  EXPECT_EQ(camera_z, 25.0f);
  for (const int value : {0, 6, -1, 1000}) apply_menu(value);
  EXPECT_EQ(speed, 4.0f);
  EXPECT_EQ(freeze_planets, 1);
  EXPECT_EQ(mercury_orbit_angle, 33.0f);
  EXPECT_EQ(camera_z, 25.0f);
}

// Without a GL context any drawing would go nowhere; what matters here is that
// these return at once instead of walking the integer range.
TEST(Helpers, GridAndStairsWithNoPositiveCountReturnAtOnce) {
  for (const int n : {0, -1, -7, INT_MIN}) {
    drawGrid(n, n);
    drawGrid(n, 3);
    drawGrid(3, n);
    drawStairs(n);
  }
  SUCCEED();
}

}  // namespace
