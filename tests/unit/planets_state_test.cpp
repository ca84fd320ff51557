// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// planets' orbits, freeze and speed.
#include "planets/solar.h"
#include "viewer/camera.h"
#include "viewer/view.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>

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

class Orbits : public ::testing::Test {
 protected:
  void SetUp() override {
    speed = 1;
    freeze_planets = 0;
    for (const Orbit &o : kOrbits) *o.angle = 0;
  }
};

// 1000 calls at speed 3 take every angle round at least once.
TEST_F(Orbits, EachIdleCallAdvancesEveryPlanetBySpeedTimesItsRateInDouble) {
  speed = 3;
  float expected[9] = {};
  for (int step = 1; step <= 1000; ++step) {
    rotate();
    for (int i = 0; i < 9; ++i) {
      expected[i] = static_cast<float>(std::fmod(expected[i] + 3.0 * kOrbits[i].rate, 360.0));
      ASSERT_EQ(*kOrbits[i].angle, expected[i]) << kOrbits[i].name << " after " << step;
    }
  }
}

// A link holds the whole picture: camera, speed, freeze and every orbit.
TEST_F(Orbits, TheViewAsTextReadsBackToTheBit) {
  speed = 1.0f / 3;
  for (int step = 0; step < 777; ++step) rotate();
  apply_menu(2);
  set_camera_pose(0.100000024f, -3, 25.0000019f, -0.6f, 4);
  auto state = [] {
    std::string bits(reinterpret_cast<const char *>(&speed), sizeof speed);
    bits += std::to_string(freeze_planets);
    for (const Orbit &o : kOrbits) bits.append(reinterpret_cast<const char *>(o.angle), sizeof(float));
    for (float v : {camera_x, camera_y, camera_z, camera_theta, camera_pitch}) {
      bits.append(reinterpret_cast<const char *>(&v), sizeof v);
    }
    return bits;
  };
  const std::string sent = state(), text = view_text();
  SetUp();
  reset_view();
  ASSERT_EQ(set_view(text.c_str()), 1) << text;
  EXPECT_EQ(state(), sent) << text;
}

TEST_F(Orbits, FreezingTogglesButTimeGoesOn) {
  apply_menu(2);
  EXPECT_EQ(freeze_planets, 1);
  rotate();
  EXPECT_EQ(mercury_orbit_angle, 1.0f);
  apply_menu(2);
  EXPECT_EQ(freeze_planets, 0);
}

TEST_F(Orbits, SpeedDoublesHalvesAndResetsWithoutLimitsButStaysFinite) {
  for (int i = 0; i < 3; ++i) apply_menu(3);
  EXPECT_EQ(speed, 8.0f);
  apply_menu(4);
  EXPECT_EQ(speed, 4.0f);
  for (int i = 0; i < 200; ++i) apply_menu(4);
  EXPECT_EQ(speed, 0.0f);
  apply_menu(5);
  EXPECT_EQ(speed, 1.0f);

  for (int i = 0; i < 200; ++i) apply_menu(3);
  EXPECT_EQ(speed, FLT_MAX);
  for (int i = 0; i < 10; ++i) rotate();
  for (const Orbit &o : kOrbits) {
    EXPECT_TRUE(*o.angle >= 0 && *o.angle < 360) << o.name << " at " << *o.angle;
  }
  apply_menu(5);
  EXPECT_EQ(speed, 1.0f);
}

TEST_F(Orbits, MenuEntriesInOrderAndResetViewLeavesOrbitsAlone) {
  const char *const labels[] = {"Reset view", "(Un)Freeze Planets", "Speed up 2x",
                                "Slow down 1/2x", "Normal speed"};
  ASSERT_EQ(planets_menu_count, 5);
  for (int i = 0; i < 5; ++i) {
    EXPECT_STREQ(planets_menu[i].label, labels[i]);
    EXPECT_EQ(planets_menu[i].value, i + 1);
  }
  speed = 4;
  freeze_planets = 1;
  mercury_orbit_angle = 33;
  set_camera_pose(1, 2, 3, 4, 5);
  apply_menu(1);
  EXPECT_EQ(camera_z, 25.0f);
  for (const int value : {0, 6, -1}) apply_menu(value);
  EXPECT_EQ(speed, 4.0f);
  EXPECT_EQ(freeze_planets, 1);
  EXPECT_EQ(mercury_orbit_angle, 33.0f);
  EXPECT_EQ(camera_z, 25.0f);
}

}  // namespace
