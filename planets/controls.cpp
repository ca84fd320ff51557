// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// planets' camera, its keys, and the menu callback.
#include "planets/solar.h"
#include "viewer/camera.h"

#include <GL/glut.h>

float camera_x = 0;
float camera_y = 0;
float camera_z = 25;
float camera_theta = 0;
float camera_pitch = 0;

const MenuEntry planets_menu[] = {
    {"Reset view", 1},     {"(Un)Freeze Planets", 2}, {"Speed up 2x", 3},
    {"Slow down 1/2x", 4}, {"Normal speed", 5},
};
const int planets_menu_count = sizeof planets_menu / sizeof planets_menu[0];

// Camera keys with fixed steps; everything outside 'A'..'w' is ignored.
void keypress(unsigned char key, int, int) {
  if (key < 'A' || key > 'w') {
    return;
  }
  apply_camera_key(key, CameraSteps{0.1, 0.2, 1.0});
}

void reset_view() { set_camera_pose(0, 0, 25, 0, 0); }

void menuFunction(int value) {
  apply_menu(value);
  glutPostRedisplay();
}
