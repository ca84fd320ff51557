// planets' camera keys and menu reset, to the single-precision float.
#include "planets/solar.h"
#include "viewer/camera.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

struct Pose {
  float x, y, z, theta, pitch;
};

Pose pose() { return {camera_x, camera_y, camera_z, camera_theta, camera_pitch}; }

bool same(const Pose &a, const Pose &b) { return std::memcmp(&a, &b, sizeof a) == 0; }

void press(unsigned char key, int times = 1) {
  for (int i = 0; i < times; ++i) keypress(key, 0, 0);
}

class PlanetsCamera : public ::testing::Test {
 protected:
  void SetUp() override { reset_view(); }
};

// The variables as the program loads them, before any test touches them.
const Pose kAtLoad = pose();

TEST(PlanetsStart, CameraStartsAtTheResetPose) { EXPECT_TRUE(same(kAtLoad, Pose{0, 0, 25, 0, 0})); }

TEST_F(PlanetsCamera, EveryKeyOutsideTheTableChangesNothing) {
  // Its range ends at 'w': 'x' and the step-size keys of roomtour do nothing here.
  const std::string handled = "WSADFVJLIKwsadfvjlik";
  for (int key = 0; key < 256; ++key) {
    SetUp();
    keypress(static_cast<unsigned char>(key), 3, 4);
    const bool changed = !same(pose(), Pose{0, 0, 25, 0, 0});
    const bool expected = handled.find(static_cast<char>(key)) != std::string::npos;
    EXPECT_EQ(changed, expected) << "key " << key;
  }
}

TEST_F(PlanetsCamera, StepsAreTheDoubleConstants) {
  press('w');
  EXPECT_EQ(camera_z, static_cast<float>(25 - 0.1));
  press('f', 3);
  EXPECT_EQ(camera_y, static_cast<float>(static_cast<float>(static_cast<float>(0.1) + 0.1) + 0.1));
  press('i');
  EXPECT_EQ(camera_pitch, 1.0f);
  press('j');
  EXPECT_EQ(camera_theta, 0.2f);
  press('l', 2);
  EXPECT_EQ(camera_theta, static_cast<float>(static_cast<float>(0.2f - 0.2) - 0.2));
}

TEST_F(PlanetsCamera, ThirtyTwoLeftTurnsWrapToZero) {
  press('J', 31);
  EXPECT_NEAR(camera_theta, 6.2, 1e-5);
  press('j');
  EXPECT_EQ(camera_theta, 0.0f);
}

TEST_F(PlanetsCamera, ResetReturnsExactlyToTheStartPose) {
  press('w', 7);
  press('d', 2);
  press('j', 5);
  press('k', 3);
  apply_menu(1);
  EXPECT_TRUE(same(pose(), Pose{0, 0, 25, 0, 0}));
}

TEST_F(PlanetsCamera, LookAtTruncatesTheOffsetsTowardsZero) {
  // At 0.2 rad the offsets 0.99 and 4.90 truncate to 0 and 4: still straight down -z.
  LookAt v = camera_look_at(0, 0, 25, 0.2f, 0, true);
  EXPECT_DOUBLE_EQ(v.target[0], 0);
  EXPECT_DOUBLE_EQ(v.target[2], 21);
  v = camera_look_at(0, 0, 25, -0.2f, -2.7f, true);
  EXPECT_DOUBLE_EQ(v.target[0], 0);
  EXPECT_DOUBLE_EQ(v.target[1], 2);
  v = camera_look_at(1, 2, 3, 2.0f, 1.7f, true);  // sin 2 = 0.909, cos 2 = -0.416
  EXPECT_DOUBLE_EQ(v.target[0], 1 - 4);
  EXPECT_DOUBLE_EQ(v.target[1], 2 - 1);
  EXPECT_DOUBLE_EQ(v.target[2], 3 - (-2));
}

}  // namespace
