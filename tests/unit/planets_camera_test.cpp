// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// planets' camera keys, its menu reset and its truncated look-at.
#include "camera_keys.h"
#include "planets/solar.h"

#include <gtest/gtest.h>

namespace {

// The variables as the program loads them, before any test touches them.
const Floats kAtLoad = camera_pose();

TEST(PlanetsCamera, StartsAtTheResetPoseAndTakesTheKeysAToW) {
  EXPECT_EQ(kAtLoad, (Floats{0, 0, 25, 0, 0}));
  // 'x' and roomtour's step-size keys lie beyond 'w'.
  EXPECT_EQ(keys_that_change(reset_view, camera_pose), table_keys("planets"));
  check_camera_keys(0.1, 0.2, 1.0);
  press('w', 7);
  press('j', 5);
  press('k', 3);
  apply_menu(1);
  EXPECT_EQ(camera_pose(), kAtLoad);
}

TEST(PlanetsCamera, LookAtTruncatesTheOffsetsTowardsZero) {
  // At 0.2 rad the offsets 0.99 and 4.90 become 0 and 4: still straight down -z.
  LookAt v = camera_look_at(0, 0, 25, 0.2f, 0, true);
  EXPECT_EQ(v.target[0], 0);
  EXPECT_EQ(v.target[2], 21);
  v = camera_look_at(0, 0, 25, -0.2f, -2.7f, true);  // -0.99 and -2.7 become 0 and -2
  EXPECT_EQ(v.target[0], 0);
  EXPECT_EQ(v.target[1], 2);
  v = camera_look_at(1, 2, 3, 2.0f, 1.7f, true);  // sin 2 = 0.909, cos 2 = -0.416
  EXPECT_EQ(v.target[0], 1 - 4);
  EXPECT_EQ(v.target[1], 2 - 1);
  EXPECT_EQ(v.target[2], 3 - (-2));
  EXPECT_EQ(v.eye[2], 3);
}

}  // namespace
