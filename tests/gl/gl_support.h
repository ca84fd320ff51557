// Helpers for tests that draw with real GL (Mesa) in a GLUT window.
#ifndef TESTS_GL_SUPPORT_H
#define TESTS_GL_SUPPORT_H

#include <GL/gl.h>

#include <array>
#include <string>

// Opens the test program's one 500 x 500 GLUT window, once per process.
void open_test_window(unsigned int display_mode);

// Drains the GL error queue; returns the names of what it held ("" if nothing).
std::string gl_errors();

using Rgb = std::array<int, 3>;

// A pixel of the back buffer, where the frame is drawn before its swap.
Rgb pixel_at(int x, int y);

// Window coordinates of a world point under the current matrices.
struct Projected {
  double x, y, depth;
};
Projected project(double x, double y, double z);
Rgb pixel_at_point(double x, double y, double z);

// Rough colour classes with room for lighting and filtering.
bool close_to(const Rgb &pixel, const Rgb &expected, int tolerance);

std::string to_string(const Rgb &pixel);

#endif
