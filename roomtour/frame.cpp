// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// roomtour's frame and projection.
#include "roomtour/room.h"
#include "viewer/camera.h"

#include <GL/glut.h>

void draw_frame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  glEnable(GL_LIGHTING);
  look_from_camera(false);
  drawFurniture();
  drawTexturedSurfaces();
  glDisable(GL_LIGHTING);
  glFlush();
}

// Every frame posts the next, so the picture is redrawn without end and the
// idle callback turns the fan between frames.
void display() {
  draw_frame();
  glutSwapBuffers();
  glutPostRedisplay();
}

void reshape(int width, int height) { set_projection(width, height, kRoomFarPlane); }
