// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
#include "viewer/frame.h"

#include <GL/glut.h>

namespace {

constexpr int kWindowSize = 500;
constexpr int kWindowPosition = 100;

}  // namespace

void open_window(int *argc, char **argv, unsigned int display_mode, const char *title) {
  glutInit(argc, argv);
  glutInitDisplayMode(display_mode);
  glutInitWindowSize(kWindowSize, kWindowSize);
  glutInitWindowPosition(kWindowPosition, kWindowPosition);
  glutCreateWindow(title);
}

void attach_menu(void (*callback)(int), const MenuEntry *entries, int count) {
  glutCreateMenu(callback);
  for (int i = 0; i < count; ++i) {
    glutAddMenuEntry(entries[i].label, entries[i].value);
  }
  glutAttachMenu(GLUT_RIGHT_BUTTON);
}

void set_projection(int width, int height, double far_plane) {
  glViewport(0, 0, width, height);
  // GL clamps the far value to 1, so the depth range stays the default 0..1.
  glDepthRange(0, 100);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(kFrustumLeft, kFrustumRight, kFrustumBottom, kFrustumTop, kFrustumNear, far_plane);
  glMatrixMode(GL_MODELVIEW);
}
