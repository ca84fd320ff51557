// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// roomtour's furniture and ceiling fan: solid boxes under the lights, in the
// current colour, without textures.
#include "roomtour/placements.h"
#include "roomtour/room.h"
#include "roomtour/shapes.h"

#include <GL/glut.h>

#include <cmath>

float fan_angle = 0;

namespace {

template <int N>
void draw_boxes(const Box (&boxes)[N]) {
  for (const Box &b : boxes) {
    glPushMatrix();
    glTranslatef(b.x, b.y, b.z);
    glScalef(b.width, b.height, b.depth);
    glutSolidCube(1);
    glPopMatrix();
  }
}

void draw_model(Model model) {
  switch (model) {
    case kBookshelfModel: drawBookshelf(); break;
    case kFanModel: drawFan(); break;
    case kDeskModel: drawDesk(); break;
    case kComputerModel: drawComputer(); break;
    case kMonitorModel: drawMonitor(); break;
    case kKeyboardModel: drawKeyboard(); break;
    case kBedModel: drawBed(); break;
    case kModelCount: break;
  }
}

}  // namespace

void drawBookshelf() { draw_boxes(kBookshelf); }
void drawDesk() { draw_boxes(kDesk); }
void drawComputer() { draw_boxes(kComputer); }
void drawMonitor() { draw_boxes(kMonitor); }
void drawKeyboard() { draw_boxes(kKeyboard); }
void drawBed() { draw_boxes(kBed); }

// Rounded to a float, this sum in double is the sum in float, bit for bit
// (a double holds more than twice a float's digits), so GL turns each blade
// as it did when drawFan added in float.
double fan_blade_angle(int blade) { return fan_angle + 360.0 / kFanBlades * blade; }

// A hub and four overlapping blades, a quarter turn apart.
void drawFan() {
  glutSolidSphere(kFanHubRadius, 20, 20);
  for (int k = 0; k < kFanBlades; ++k) {
    glPushMatrix();
    glRotatef(static_cast<float>(fan_blade_angle(k)), 0, 1, 0);
    glTranslatef(kFanBladeOffset, 0, 0);
    glScalef(kFanBlade.width, kFanBlade.height, kFanBlade.depth);
    glutSolidCube(1);
    glPopMatrix();
  }
}

void place(const Placement &p) {
  if (p.x != 0 || p.y != 0 || p.z != 0) glTranslatef(p.x, p.y, p.z);
  if (p.scale_x != 1 || p.scale_y != 1 || p.scale_z != 1) {
    glScalef(p.scale_x, p.scale_y, p.scale_z);
  }
}

// The colour of each row stays current after its pop: colour is not part of
// the matrix stack.
void drawFurniture() {
  for (const Placement &p : kFurniture) {
    glPushMatrix();
    glColor3f(p.r, p.g, p.b);
    place(p);
    draw_model(p.model);
    glPopMatrix();
  }
}

// One degree per idle call. The angle is kept in [0, 360): the picture is the
// same, and an angle that only grew would stop changing as a float at 2^24.
void rotate_fan() { fan_angle = static_cast<float>(std::fmod(fan_angle + 1.0, 360.0)); }
