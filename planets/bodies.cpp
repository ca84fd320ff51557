// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// planets' bodies, their orbits, and the menu entries that freeze them and
// change their speed.
#include "planets/bodies.h"
#include "planets/solar.h"
#include "viewer/helpers.h"

#include <GL/glut.h>

#include <cfloat>
#include <cmath>
#include <cstdlib>

float speed = 1;
int freeze_planets = 0;

float mercury_orbit_angle = 0;
float venus_orbit_angle = 0;
float earth_orbit_angle = 0;
float mars_orbit_angle = 0;
float jupiter_orbit_angle = 0;
float saturn_orbit_angle = 0;
float uranus_orbit_angle = 0;
float neptune_orbit_angle = 0;
float pluto_orbit_angle = 0;

namespace {

// The picture is the same for every angle modulo 360; keeping the angle
// there keeps its float precise, so orbits neither stall nor drift.
float advance(float angle, double step) {
  double next = std::fmod(angle + step, 360.0);
  if (next < 0) next += 360;
  const float stored = static_cast<float>(next);
  return stored < 360.0f ? stored : 0.0f;
}

}  // namespace

void drawPlanet(float r, float g, float b, float angle, float distance, float radius) {
  glColor3f(r, g, b);
  glPushMatrix();
  if (freeze_planets == 0) {
    glRotatef(angle, 0, 1, 0);
  }
  glTranslatef(distance * 0.001f, 0, 0);
  glutWireSphere(radius, 40, 40);
  glPopMatrix();
}

void drawPlanets() {
  for (const Body &body : kBodies) {
    drawPlanet(body.r, body.g, body.b, body.angle ? *body.angle : 0, body.distance, body.radius);
  }
}

void drawSolarSystem() {
  glPushMatrix();
  glScalef(kSceneScale, kSceneScale, kSceneScale);
  drawPlanets();
  glPopMatrix();
  drawAxis();
}

// Time goes on while the picture is frozen: only the drawing leaves the
// orbit angles out.
void rotate() {
  for (const Body &body : kBodies) {
    if (body.angle != nullptr) {
      *body.angle = advance(*body.angle, static_cast<double>(speed) * body.rate);
    }
  }
}

void apply_menu(int value) {
  switch (value) {
    case 1: reset_view(); break;
    case 2: freeze_planets = std::abs(freeze_planets - 1); break;
    // Doubling stops at the largest finite float, so "Normal speed" can
    // always bring the picture back.
    case 3: speed = static_cast<float>(std::fmin(2.0 * speed, FLT_MAX)); break;
    case 4: speed = speed / 2; break;
    case 5: speed = 1; break;
    default: break;
  }
}
