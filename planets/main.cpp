// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// planets: fly around a wire-frame solar system.
//
// Keys and menu, from viewer/keys.tsv (tools/keytable.py write):
//   W / S   forward / back
//   A / D   sideways left / right
//   F / V   up / down
//   J / L   turn left / right
//   I / K   tilt the view down / up, in whole-unit steps
//   right mouse button: "Reset view", "(Un)Freeze Planets", "Speed up 2x",
//                       "Slow down 1/2x", "Normal speed"
#include "planets/solar.h"

#include <GL/glut.h>

int main(int argc, char **argv) {
  open_window(&argc, argv, GLUT_DOUBLE | GLUT_RGB, "Quibblerama!");
  init();
  attach_menu(menuFunction, planets_menu, planets_menu_count);
  glutDisplayFunc(display);
  glutReshapeFunc(reshape);
  glutIdleFunc(rotate);
  glutKeyboardFunc(keypress);
  glutMainLoop();
  return 0;
}
