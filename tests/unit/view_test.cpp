// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// roomtour's view as text: read back to the bit, and every text that cannot
// be read ignored whole.
#include "roomtour/room.h"
#include "view_words.h"
#include "viewer/camera.h"
#include "viewer/sight.h"
#include "viewer/view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<float> view() {
  return {camera_x, camera_y, camera_z, camera_theta, camera_pitch, move_speed, turn_speed, fan_angle};
}

// Floats whose text needs all nine digits (0.100000024), a negative zero, the
// step that one '[' leaves and the largest float below 360.
void odd_view() {
  set_camera_pose(6.5f + 0.1f / 3, -0.0f, 1e-7f / 3, -12.2000027f, 0.100000024f);
  move_speed = static_cast<float>(0.1f - 0.1);
  turn_speed = 3.40282347e38f;
  fan_angle = 359.999969f;
}

TEST(View, ReadsBackToTheBit) {
  odd_view();
  const std::vector<float> sent = view();
  const std::string text = view_text();
  EXPECT_EQ(text.rfind("v=1&x=", 0), 0u) << text;
  set_camera_pose(6.5f, 4, 5, 0, 0);
  move_speed = turn_speed = 0.1f;
  fan_angle = 0;
  ASSERT_EQ(set_view(text.c_str()), 1) << text;
  const std::vector<float> got = view();
  EXPECT_EQ(std::memcmp(got.data(), sent.data(), sent.size() * sizeof(float)), 0) << text;
}

TEST(View, ATextThatCannotBeReadChangesNothing) {
  odd_view();
  const std::string good = view_text();
  const std::string tail = good.substr(good.find("&y="));
  const struct {
    const char *what;
    std::string text;
  } cases[] = {
      {"words", "hello"},
      {"empty", ""},
      {"another version", "v=2" + good.substr(3)},
      {"no version", good.substr(4)},
      {"a field missing", good.substr(0, good.find("&fan="))},
      {"a field twice", good + "&x=1"},
      {"an unknown field", good + "&speed=1"},
      {"a field with no value", "v=1&x=&" + tail.substr(1)},
      {"a trailing &", good + "&"},
      {"NaN", "v=1&x=nan" + tail},
      {"infinity", "v=1&x=inf" + tail},
      {"beyond the float range", "v=1&x=1e39" + tail},
      {"a number and more", "v=1&x=1.5e" + tail},
      {"a leading blank", "v=1&x= 1" + tail},
      {"HTML", "v=1&x=<script>alert(1)</script>" + tail},
      {"a thousand characters", good + std::string(1000, '0')},
  };
  for (const auto &c : cases) {
    odd_view();
    camera_x = 1;
    const std::vector<float> before = view();
    EXPECT_EQ(set_view(c.text.c_str()), 0) << c.what;
    EXPECT_EQ(view(), before) << c.what;
  }
  EXPECT_EQ(set_view(nullptr), 0);
}

// The words name what the picture shows, and nothing hidden: at each pose,
// reached from the start with the keys, the pieces named and those not, and
// how the words place the eye.
TEST(Words, NameWhatAPersonSeesAtEachPose) {
  const std::string j16(16, 'j'), all[] = {"bookshelf", "fan", "desk",   "computer", "monitor",
                                           "keyboard",  "bed", "window", "door"};
  const struct {
    const char *what;
    std::string keys;
    std::vector<std::string> named, unnamed;
    const char *says;
    const char *volume;  // what the camera from outside says of it
  } poses[] = {
      {"the start",
       "",
       {"bookshelf", "window", "bed"},
       {"fan", "desk", "computer", "monitor", "keyboard", "door"},
       "You stand in the middle of the room, 4 units above the floor, facing the back wall, "
       "looking level.",
       "The left wall lies beyond the left plane, 1.4 units past it."},
      {"turned half round",
       j16,
       {"desk", "keyboard", "monitor", "door"},
       {"bed", "window", "bookshelf", "fan"},
       "facing the front wall",
       "The back wall lies behind the eye."},
      {"outside the back wall, facing it",
       std::string(32, 'j') + std::string(62, 'w') + j16,
       {},
       {std::begin(all), std::end(all)},
       "You are outside the room, behind the back wall",
       "Inside the volume: the bookshelf"},
      {"above the ceiling, where only the fan's hub comes through",
       std::string(46, 'f'),
       {"fan"},
       {"bookshelf", "desk", "bed", "window", "door"},
       "outside the room, above the ceiling",
       "The bookshelf lies beyond the bottom plane, 0.5 units past it."},
      {"turned a quarter round, to the left wall",
       std::string(8, 'j'),
       {"window", "bed", "desk"},
       {"bookshelf", "door", "monitor"},
       "facing the left wall",
       "The right wall lies behind the eye."},
      {"reset, at the left wall on the floor",
       "",
       {},
       {std::begin(all), std::end(all)},
       "You stand by the left wall, 0 units above the floor",
       "The eye is at (0, 0, 5)"},
  };
  for (const auto &pose : poses) {
    set_camera_pose(6.5f, 4, 5, 0, 0);
    move_speed = turn_speed = 0.1f;
    fan_angle = 0;
    if (std::string(pose.what).rfind("reset", 0) == 0) reset_view();
    for (char key : pose.keys) keypress(static_cast<unsigned char>(key), 0, 0);
    const ViewWords words = describe_view();
    const std::vector<std::string> named = words_objects(words);
    const std::string text = words_text(words);
    for (const std::string &name : pose.named) {
      EXPECT_NE(std::find(named.begin(), named.end(), name), named.end())
          << pose.what << ": " << text;
    }
    for (const std::string &name : pose.unnamed) {
      EXPECT_EQ(std::find(named.begin(), named.end(), name), named.end())
          << pose.what << ": " << text;
    }
    EXPECT_NE(text.find(pose.says), std::string::npos) << pose.what << ": " << text;
    const std::string volume = outside_words(500, 500);
    EXPECT_NE(volume.find(pose.volume), std::string::npos) << pose.what << ": " << volume;
  }
}

}  // namespace
