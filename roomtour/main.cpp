// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// roomtour: walk through a furnished room with the keyboard.
//
// Keys and menu, from viewer/keys.tsv (tools/keytable.py write):
//   W / S   forward / back
//   A / D   sideways left / right
//   F / V   up / down
//   J / L   turn left / right
//   I / K   tilt the view down / up
//   [ / ]   smaller / larger move step, by 0.1; it can reach zero and go negative
//   { / }   smaller / larger turn step, by 0.01; likewise
//   right mouse button: "Reset view"
#include "roomtour/room.h"

#include <GL/glut.h>

int main(int argc, char **argv) {
  open_window(&argc, argv, GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH, "HARQ514 Final Project");
  init();
  attach_menu(menuFunction, room_menu, room_menu_count);
  glutDisplayFunc(display);
  glutReshapeFunc(reshape);
  glutKeyboardFunc(keypress);
  glutIdleFunc(rotate_fan);
  glutMainLoop();
  return 0;
}
