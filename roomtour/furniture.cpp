// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// roomtour's furniture and ceiling fan: solid boxes under the lights, in the
// current colour, without textures.
#include "roomtour/room.h"

#include <GL/glut.h>

#include <cmath>

float fan_angle = 0;

namespace {

// A box: centre and size, in the model's own units.
struct Box {
  float x, y, z;
  float width, height, depth;
};

const Box kBookshelf[] = {
    {1.5f, 1.5f, 0.5f, 3, 3, 1},
};
const Box kDesk[] = {
    {0.1f, 1.5f, 1.5f, 0.2f, 3, 3},  // left leg panel
    {4.9f, 1.5f, 1.5f, 0.2f, 3, 3},  // right leg panel
    {2.5f, 3, 1.5f, 5, 0.2f, 3},     // top
};
const Box kComputer[] = {
    {0.25f, 0.4f, 0.5f, 0.5f, 1, 1},
};
const Box kMonitor[] = {
    {0.5f, 0.5f, 0.125f, 1, 0.75f, 0.25f},  // body
    {0.5f, 0, 0.375f, 0.25f, 1.5f, 0.25f},  // stand
};
const Box kKeyboard[] = {
    {1, 0.1f, 0.25f, 2, 0.2f, 0.5f},
};
const Box kBed[] = {
    {0.95f, 0.25f, 0.5f, 0.1f, 0.5f, 1},  // foot board
    {0.05f, 0.5f, 0.5f, 0.1f, 1, 1},      // head board
    {0.5f, 0.25f, 0.05f, 1, 0.5f, 0.1f},  // side boards
    {0.5f, 0.25f, 0.95f, 1, 0.5f, 0.1f},
};

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

enum Model {
  kBookshelfModel,
  kFanModel,
  kDeskModel,
  kComputerModel,
  kMonitorModel,
  kKeyboardModel,
  kBedModel
};

// Where each model stands in the room, and its colour.
struct Placement {
  float r, g, b;
  float x, y, z;
  float scale_x, scale_y, scale_z;
  Model model;
};

const Placement kFurniture[] = {
    {1, 0, 0, 8, 0, 0, 1, 1, 1, kBookshelfModel},               // red, against the back wall
    {1, 1, 1, 6.5f, 8, 5, 1, 1, 1, kFanModel},                  // white, centre of the ceiling
    {0, 0, 1, 3, 0, 7, 1, 1, 1, kDeskModel},                    // blue, against the front wall
    {0, 0, 0, 6.9f, 0, 7, 2, 2, 2, kComputerModel},             // black, under the desk
    {0.2f, 0.2f, 0.2f, 4.5f, 3.5f, 9, 2, 2, 2, kMonitorModel},  // grey, on the desk
    {1, 1, 1, 4.5f, 3.01f, 7.1f, 1, 1, 1, kKeyboardModel},      // white, on the desk
    {0.5f, 0.25f, 0, 0, 0, 0, 7, 4, 5, kBedModel},              // brown, in the corner
};

void draw_model(Model model) {
  switch (model) {
    case kBookshelfModel: drawBookshelf(); break;
    case kFanModel: drawFan(); break;
    case kDeskModel: drawDesk(); break;
    case kComputerModel: drawComputer(); break;
    case kMonitorModel: drawMonitor(); break;
    case kKeyboardModel: drawKeyboard(); break;
    case kBedModel: drawBed(); break;
  }
}

}  // namespace

void drawBookshelf() { draw_boxes(kBookshelf); }
void drawDesk() { draw_boxes(kDesk); }
void drawComputer() { draw_boxes(kComputer); }
void drawMonitor() { draw_boxes(kMonitor); }
void drawKeyboard() { draw_boxes(kKeyboard); }
void drawBed() { draw_boxes(kBed); }

// A hub and four overlapping blades, a quarter turn apart.
void drawFan() {
  glutSolidSphere(1, 20, 20);
  for (int k = 0; k < 4; ++k) {
    glPushMatrix();
    glRotatef(fan_angle + 90.0f * k, 0, 1, 0);
    glTranslatef(0.5f, 0, 0);
    glScalef(4, 0.4f, 1);
    glutSolidCube(1);
    glPopMatrix();
  }
}

// A row applies only the transforms it names: a zero translation (the bed)
// or a unit scale is not issued. The colour of each row stays current after
// its pop: colour is not part of the matrix stack.
void drawFurniture() {
  for (const Placement &p : kFurniture) {
    glPushMatrix();
    glColor3f(p.r, p.g, p.b);
    if (p.x != 0 || p.y != 0 || p.z != 0) glTranslatef(p.x, p.y, p.z);
    if (p.scale_x != 1 || p.scale_y != 1 || p.scale_z != 1) {
      glScalef(p.scale_x, p.scale_y, p.scale_z);
    }
    draw_model(p.model);
    glPopMatrix();
  }
}

// One degree per idle call. The angle is kept in [0, 360): the picture is the
// same, and an angle that only grew would stop changing as a float at 2^24.
void rotate_fan() { fan_angle = static_cast<float>(std::fmod(fan_angle + 1.0, 360.0)); }
