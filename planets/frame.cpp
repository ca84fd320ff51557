// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// planets' set-up, frame and projection.
#include "planets/solar.h"
#include "viewer/camera.h"

#include <GL/glut.h>

// Wire frames in flat colours: no lighting, no depth test, no textures.
void init() {
  glClearColor(0, 0, 0, 0);
  glShadeModel(GL_FLAT);
}

void draw_frame() {
  glPushMatrix();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  look_from_camera(true);
  drawSolarSystem();
  glPopMatrix();
}

// Every frame posts the next, so the picture is redrawn without end and the
// idle callback moves the planets between frames.
void display() {
  draw_frame();
  glutSwapBuffers();
  glutPostRedisplay();
}

void reshape(int width, int height) { set_projection(width, height, kPlanetsFarPlane); }
