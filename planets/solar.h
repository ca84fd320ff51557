// planets: a wire-frame solar system of the Sun and nine planets circling the
// y axis, with the coordinate axes drawn through the middle.
//
// Everything of the program but main lives in the planets_scene library, so
// that tests drive the same callbacks the program registers.
#ifndef PLANETS_SOLAR_H
#define PLANETS_SOLAR_H

#include "viewer/frame.h"

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

#endif
