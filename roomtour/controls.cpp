// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// roomtour's camera, its keys and its menu.
#include "roomtour/room.h"
#include "viewer/camera.h"

#include <GL/glut.h>

float camera_x = 6.5f;
float camera_y = 4;
float camera_z = 5;
float camera_theta = 0;
float camera_pitch = 0;

float move_speed = 0.1f;
float turn_speed = 0.1f;

const MenuEntry room_menu[] = {
    {"Reset view", 1},
};
const int room_menu_count = sizeof room_menu / sizeof room_menu[0];

// Camera keys, plus [ ] { } for the step sizes; everything outside 'A'..'}' is
// ignored. Nothing is clamped: the steps may reach zero or turn negative.
void keypress(unsigned char key, int, int) {
  if (key < 'A' || key > '}') {
    return;
  }
  switch (key) {
    case '[': move_speed = static_cast<float>(move_speed - 0.1); return;
    case ']': move_speed = static_cast<float>(move_speed + 0.1); return;
    case '{': turn_speed = static_cast<float>(turn_speed - 0.01); return;
    case '}': turn_speed = static_cast<float>(turn_speed + 0.01); return;
    default: break;
  }
  const double turn = turn_speed;
  apply_camera_key(key, CameraSteps{move_speed, 2 * turn, 10 * turn});
}

void reset_view() { set_camera_pose(0, 0, 5, 0, 0); }

void apply_menu(int value) {
  if (value == 1) {
    reset_view();
  }
}

void menuFunction(int value) {
  apply_menu(value);
  glutPostRedisplay();
}
