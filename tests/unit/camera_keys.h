// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// What roomtour's and planets' camera tests share: the pose, key presses,
// and the sweep over every key code.
#ifndef TESTS_UNIT_CAMERA_KEYS_H
#define TESTS_UNIT_CAMERA_KEYS_H

#include "viewer/camera.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// The keyboard callback; each program defines its own.
void keypress(unsigned char key, int x, int y);

using Floats = std::vector<float>;

inline Floats camera_pose() { return {camera_x, camera_y, camera_z, camera_theta, camera_pitch}; }

inline void press(unsigned char key, int times = 1) {
  for (int i = 0; i < times; ++i) keypress(key, 17, 42);
}

// The key codes, in order, after which state() differs from what reset() left.
template <typename Reset, typename State>
std::string keys_that_change(Reset reset, State state) {
  std::string keys;
  for (int key = 0; key < 256; ++key) {
    reset();
    const Floats before = state();
    press(static_cast<unsigned char>(key));
    if (state() != before) keys += static_cast<char>(key);
  }
  return keys;
}

// The key codes that viewer/keys.tsv lists for the program, letters in both
// cases, sorted as keys_that_change gives them.
inline std::string table_keys(const std::string &program) {
  const char *dir = std::getenv("VIEWER_SOURCE_DIR");
  std::ifstream table(std::string(dir ? dir : ".") + "/viewer/keys.tsv");
  EXPECT_TRUE(table) << "viewer/keys.tsv not found";
  std::string line, keys;
  while (std::getline(table, line)) {
    std::istringstream cells(line);
    std::string kind, programs, code;
    std::getline(cells, kind, '\t');
    std::getline(cells, programs, '\t');
    std::getline(cells, code, '\t');
    if (kind != "key" || code.size() != 1 || (programs != "both" && programs != program)) continue;
    keys += code;
    if (std::isalpha(static_cast<unsigned char>(code[0]))) {
      keys += static_cast<char>(std::toupper(static_cast<unsigned char>(code[0])));
    }
  }
  std::sort(keys.begin(), keys.end());
  return keys;
}

// Each camera key once, with the program's move, turn and pitch steps: from
// heading 0, and for W and A from a quarter turn left, where forward is -x
// and left is +z. Updates are made in double and stored as floats.
inline void check_camera_keys(double s, double t, double q) {
  const float h = static_cast<float>(kHalfPi);
  auto f = [](double v) { return static_cast<float>(v); };
  const struct {
    float theta;
    char key;
    Floats pose;
  } rows[] = {
      {0, 'w', {1, 2, f(3 - s), 0, 0}},  {0, 'S', {1, 2, f(3 + s), 0, 0}},
      {0, 'a', {f(1 - s), 2, 3, 0, 0}},  {0, 'D', {f(1 + s), 2, 3, 0, 0}},
      {h, 'W', {f(1 - s), 2, 3, h, 0}},  {h, 'A', {1, 2, f(3 + s), h, 0}},
      {0, 'f', {1, f(2 + s), 3, 0, 0}},  {0, 'V', {1, f(2 - s), 3, 0, 0}},
      {0, 'J', {1, 2, 3, f(t), 0}},      {0, 'l', {1, 2, 3, f(-t), 0}},
      {0, 'i', {1, 2, 3, 0, f(q)}},      {0, 'K', {1, 2, 3, 0, f(-q)}},
  };
  for (const auto &row : rows) {
    set_camera_pose(1, 2, 3, row.theta, 0);
    press(static_cast<unsigned char>(row.key));
    EXPECT_EQ(camera_pose(), row.pose) << "key " << row.key << " at heading " << row.theta;
  }
}

#endif
