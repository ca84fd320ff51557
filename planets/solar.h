// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// planets: a wire-frame solar system of the Sun and nine planets circling the
// y axis, with the coordinate axes drawn through the middle.
//
// Everything of the program but main lives in the planets_scene library, so
// that tests drive the same callbacks the program registers.
#ifndef PLANETS_SOLAR_H
#define PLANETS_SOLAR_H

#include "viewer/frame.h"

// The frustum's far plane; its near plane is 1.
inline constexpr double kPlanetsFarPlane = 40;

// Multiplier of every orbit rate, changed by the menu; at most the largest
// finite float.
extern float speed;
// 1 while the picture is frozen, else 0.
extern int freeze_planets;

// Orbit angles in degrees, kept in [0, 360).
extern float mercury_orbit_angle, venus_orbit_angle, earth_orbit_angle, mars_orbit_angle,
    jupiter_orbit_angle, saturn_orbit_angle, uranus_orbit_angle, neptune_orbit_angle,
    pluto_orbit_angle;

extern const MenuEntry planets_menu[];
extern const int planets_menu_count;

// One-time GL state.
void init();

// GLUT callbacks.
void display();
void reshape(int width, int height);
void keypress(unsigned char key, int x, int y);
void menuFunction(int value);
void rotate();

// The frame without the buffer swap and the next redisplay request.
void draw_frame();
// What a menu entry does to the program's state (menuFunction adds the redisplay).
void apply_menu(int value);
// The pose "Reset view" returns to, which is also the start pose.
void reset_view();

// The scene step of a frame: the bodies, scaled to world units, then the axes.
void drawSolarSystem();

// One wire-frame body: colour, orbit angle in degrees (left out while
// frozen), distance from the Sun in thousandths of a model unit, radius.
void drawPlanet(float r, float g, float b, float angle, float distance, float radius);
// The Sun and the nine planets, in table order.
void drawPlanets();

#endif
