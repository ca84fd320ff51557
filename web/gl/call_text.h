// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// A GL, GLU or GLUT call as C source: the text the explorer shows for a
// call, and what the desktop's call log writes, so the two can be compared.
#ifndef WEB_GL_CALL_TEXT_H
#define WEB_GL_CALL_TEXT_H

#include <string>
#include <vector>

enum class ArgKind { kFloat, kDouble, kInt, kEnum, kBits, kFloats };

// One argument as the program passed it: a number (of its kind), or an
// array of floats.
struct CallArg {
  ArgKind kind;
  double value;
  std::vector<float> floats;
};

// "glTranslatef(8, 0, 0)": enums by name, bits joined as "A | B", each float
// in the shortest text that reads back to the same float (a double to the
// same double), an array as "{1, 1, 1, 1}".
std::string call_text(const char *name, const std::vector<CallArg> &args);
std::string number_text(ArgKind kind, double value);

#endif
