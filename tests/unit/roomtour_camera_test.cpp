// roomtour's camera keys and menu, to the single-precision float.
#include "roomtour/room.h"
#include "viewer/camera.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

namespace {

struct State {
  float x, y, z, theta, pitch, move, turn;
};

State state() {
  return {camera_x, camera_y, camera_z, camera_theta, camera_pitch, move_speed, turn_speed};
}

bool same(const State &a, const State &b) { return std::memcmp(&a, &b, sizeof a) == 0; }

void press(unsigned char key, int times = 1) {
  for (int i = 0; i < times; ++i) keypress(key, 0, 0);
}

class RoomCamera : public ::testing::Test {
 protected:
  void SetUp() override {
    set_camera_pose(6.5f, 4, 5, 0, 0);
    move_speed = 0.1f;
    turn_speed = 0.1f;
  }
};

// The variables as the program loads them, before any test touches them.
const State kAtLoad = state();

// The stored 0.1f, widened: roomtour's steps come from it, planets' do not.
const double kStoredTenth = static_cast<double>(0.1f);

TEST(RoomStart, CameraStartsAboveTheRoomCentreWithTenthSteps) {
  EXPECT_TRUE(same(kAtLoad, State{6.5f, 4, 5, 0, 0, 0.1f, 0.1f}));
}

TEST_F(RoomCamera, EveryKeyOutsideTheTableChangesNothing) {
  const std::string handled = "WSADFVJLIKwsadfvjlik[]{}";
  for (int key = 0; key < 256; ++key) {
    SetUp();
    keypress(static_cast<unsigned char>(key), 17, 42);
    const bool changed = !same(state(), State{6.5f, 4, 5, 0, 0, 0.1f, 0.1f});
    const bool expected = handled.find(static_cast<char>(key)) != std::string::npos;
    EXPECT_EQ(changed, expected) << "key " << key;
  }
}

TEST_F(RoomCamera, MovementUsesTheStoredStepAndUpdatesZThenX) {
  press('w');
  EXPECT_EQ(camera_z, static_cast<float>(5 - kStoredTenth));
  EXPECT_EQ(camera_x, 6.5f);
  press('S');
  EXPECT_EQ(camera_z, static_cast<float>(static_cast<float>(5 - kStoredTenth) + kStoredTenth));

  // Heading a quarter turn left: forward is -x, sideways left is +z.
  set_camera_pose(0, 0, 0, static_cast<float>(kHalfPi), 0);
  press('W');
  EXPECT_FLOAT_EQ(camera_x, static_cast<float>(-kStoredTenth));
  EXPECT_NEAR(camera_z, 0, 1e-8);
  set_camera_pose(0, 0, 0, static_cast<float>(kHalfPi), 0);
  press('a');
  EXPECT_NEAR(camera_x, 0, 1e-8);
  EXPECT_FLOAT_EQ(camera_z, static_cast<float>(kStoredTenth));
  press('d');
  EXPECT_NEAR(camera_z, 0, 1e-8);

  press('f', 3);
  EXPECT_EQ(camera_y,
            static_cast<float>(static_cast<float>(static_cast<float>(kStoredTenth) + kStoredTenth) +
                               kStoredTenth));
  press('V', 3);
  EXPECT_NEAR(camera_y, 0, 1e-7);
}

TEST_F(RoomCamera, ThirtyTwoLeftTurnsWrapToExactlyZeroAndTheExcessIsLost) {
  const double t = 2 * kStoredTenth;
  float expected = 0;
  for (int i = 1; i <= 31; ++i) {
    press('j');
    expected = static_cast<float>(expected + t);
    ASSERT_EQ(camera_theta, expected) << "press " << i;
  }
  EXPECT_LT(camera_theta, kTwoPi);
  press('J');
  EXPECT_EQ(camera_theta, 0.0f);
}

TEST_F(RoomCamera, RightTurnsGoBelowZeroWithoutWrapping) {
  float expected = 0;
  for (int i = 1; i <= 100; ++i) {
    press(i % 2 ? 'l' : 'L');
    expected = static_cast<float>(expected - 2 * kStoredTenth);
    ASSERT_EQ(camera_theta, expected);
  }
  EXPECT_NEAR(camera_theta, -20, 1e-4);
}

TEST_F(RoomCamera, PitchStepIsTenTurnSteps) {
  press('i');
  EXPECT_EQ(camera_pitch, static_cast<float>(10 * kStoredTenth));
  press('K', 2);
  EXPECT_NEAR(camera_pitch, -1, 1e-6);
}

TEST_F(RoomCamera, MoveStepReachesPracticallyZeroThenReverses) {
  press('[');
  EXPECT_EQ(move_speed, static_cast<float>(kStoredTenth - 0.1));
  EXPECT_NEAR(move_speed, 1.49e-9, 0.01e-9);
  press('w', 10);
  EXPECT_EQ(camera_z, 5.0f);  // too small a step to move a float of 5

  press('[');
  EXPECT_NEAR(move_speed, -0.1, 1e-8);
  press('w');
  EXPECT_NEAR(camera_z, 5.1, 1e-6);  // forward now moves backwards

  press(']', 2);
  EXPECT_NEAR(move_speed, 0.1, 1e-8);
}

TEST_F(RoomCamera, TurnStepReachesPracticallyZeroThenReversesTurnsAndTilts) {
  press('{', 10);
  EXPECT_NEAR(turn_speed, 3.5e-9, 0.5e-9);
  press('{');
  ASSERT_LT(turn_speed, 0);
  press('j');
  EXPECT_LT(camera_theta, 0);
  press('I');
  EXPECT_LT(camera_pitch, 0);
  SetUp();
  press('}');
  EXPECT_NEAR(turn_speed, 0.11, 1e-7);
}

TEST_F(RoomCamera, ResetGoesToTheFloorAtTheLeftWallAndKeepsTheSteps) {
  press(']');
  press('}');
  press('w', 4);
  press('j', 3);
  press('i');
  const float move = move_speed, turn = turn_speed;
  apply_menu(1);
  EXPECT_TRUE(same(state(), State{0, 0, 5, 0, 0, move, turn}));
  press('w');
  apply_menu(7);  // an unknown value changes nothing
  EXPECT_NE(camera_z, 5.0f);
  EXPECT_EQ(camera_x, 0.0f);
}

TEST_F(RoomCamera, LookAtIsFiveUnitsAheadUnrounded) {
  const LookAt v = camera_look_at(6.5f, 4, 5, 0.2f, 1.5f, false);
  EXPECT_DOUBLE_EQ(v.eye[0], 6.5);
  EXPECT_DOUBLE_EQ(v.target[0], 6.5 - 5 * std::sin(static_cast<double>(0.2f)));
  EXPECT_DOUBLE_EQ(v.target[1], 4 - 1.5);
  EXPECT_DOUBLE_EQ(v.target[2], 5 - 5 * std::cos(static_cast<double>(0.2f)));
}

}  // namespace
