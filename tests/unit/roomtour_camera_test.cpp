// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// roomtour's camera keys, step keys and menu, to the single-precision float.
#include "camera_keys.h"
#include "roomtour/room.h"

#include <gtest/gtest.h>

namespace {

Floats state() {
  Floats s = camera_pose();
  s.insert(s.end(), {move_speed, turn_speed});
  return s;
}

void start() {
  set_camera_pose(6.5f, 4, 5, 0, 0);
  move_speed = turn_speed = 0.1f;
}

// The variables as the program loads them, before any test touches them.
const Floats kAtLoad = state();

// The stored 0.1f, widened: roomtour's steps come from it.
const double kStoredTenth = static_cast<double>(0.1f);

class RoomCamera : public ::testing::Test {
 protected:
  void SetUp() override { start(); }
};

TEST_F(RoomCamera, StartsMidRoomAndTakesTheKeysAToCurlyBrace) {
  EXPECT_EQ(kAtLoad, (Floats{6.5f, 4, 5, 0, 0, 0.1f, 0.1f}));
  EXPECT_EQ(keys_that_change(start, state), table_keys("roomtour"));
  check_camera_keys(kStoredTenth, 2 * kStoredTenth, 10 * kStoredTenth);
}

TEST_F(RoomCamera, TheThirtySecondLeftTurnWrapsToExactlyZeroRightTurnsNever) {
  float expected = 0;
  for (int i = 1; i <= 31; ++i) {
    press('j');
    expected = static_cast<float>(expected + 2 * kStoredTenth);
    ASSERT_EQ(camera_theta, expected) << "press " << i;
  }
  press('J');
  EXPECT_EQ(camera_theta, 0.0f);  // 6.4 is past 2 pi; the excess is dropped
  press('l', 40);
  EXPECT_NEAR(camera_theta, -8, 1e-5);
}

TEST_F(RoomCamera, StepKeysReachPracticallyZeroThenReverseTheCamera) {
  press('[');
  EXPECT_EQ(move_speed, static_cast<float>(kStoredTenth - 0.1));  // about 1.5e-9
  press('w', 10);
  EXPECT_EQ(camera_z, 5.0f);
  press('[');
  press('w');
  EXPECT_NEAR(camera_z, 5.1, 1e-6);  // forward now moves backwards
  press(']', 2);
  EXPECT_NEAR(move_speed, 0.1, 1e-8);

  press('{', 10);
  EXPECT_NEAR(turn_speed, 3.5e-9, 0.5e-9);
  press('{');
  press('j');
  press('I');
  EXPECT_LT(camera_theta, 0);
  EXPECT_LT(camera_pitch, 0);
  press('}', 2);
  EXPECT_NEAR(turn_speed, 0.01, 1e-8);
}

TEST_F(RoomCamera, ResetGoesToTheFloorAtTheLeftWallAndKeepsTheSteps) {
  ASSERT_EQ(room_menu_count, 1);
  EXPECT_STREQ(room_menu[0].label, "Reset view");
  EXPECT_EQ(room_menu[0].value, 1);
  press(']');
  press('}');
  press('w', 4);
  press('j', 3);
  press('i');
  apply_menu(1);
  EXPECT_EQ(state(), (Floats{0, 0, 5, 0, 0, move_speed, turn_speed}));
  EXPECT_NEAR(move_speed, 0.2, 1e-7);
  press('w');
  const Floats moved = state();
  apply_menu(7);  // an unknown value changes nothing
  EXPECT_EQ(state(), moved);
}

}  // namespace
