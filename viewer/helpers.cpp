// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
#include "viewer/helpers.h"

#include <GL/glut.h>

void drawAxis() {
  glBegin(GL_LINES);
  glColor3f(1, 0, 0);
  glVertex3f(-100, 0, 0);
  glVertex3f(100, 0, 0);
  glColor3f(0, 1, 0);
  glVertex3f(0, -100, 0);
  glVertex3f(0, 100, 0);
  glColor3f(0, 0, 1);
  glVertex3f(0, 0, -100);
  glVertex3f(0, 0, 100);
  glEnd();
}

// Counts of 0 would divide 0 by 0, and negative ones have no sensible grid.
// The loops count in long long so that even INT_MAX lines cannot overflow.
void drawGrid(int xLines, int zLines) {
  if (xLines <= 0 || zLines <= 0) {
    return;
  }
  for (long long i = -xLines; i <= xLines; ++i) {
    const float x = static_cast<float>(i) / static_cast<float>(xLines);
    glBegin(GL_LINES);
    glVertex3f(x, 0, -1);
    glVertex3f(x, 0, 1);
    glEnd();
  }
  for (long long j = -zLines; j <= zLines; ++j) {
    const float z = static_cast<float>(j) / static_cast<float>(zLines);
    glBegin(GL_LINES);
    glVertex3f(-1, 0, z);
    glVertex3f(1, 0, z);
    glEnd();
  }
}

void drawStairs(int steps) {
  float angle = 0;
  float height = 0;
  for (int k = 0; k < steps; ++k) {
    glPushMatrix();
    glRotatef(angle, 0, 1, 0);
    glTranslatef(3, height, 0);
    glScalef(1, 0.2f, 1);
    glutSolidCube(1);
    glPopMatrix();
    angle += 20;
    if (angle >= 360) {
      angle = 0;
    }
    height += 1;
  }
}
