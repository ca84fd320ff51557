// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// roomtour: walk through a furnished room with the keyboard.
//
//   W S A D   forward, back, left, right      F V   up, down
//   J L       turn left, right                I K   tilt down, up
//   [ ]       smaller, larger move step       { }   smaller, larger turn step
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
