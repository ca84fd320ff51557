// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The program's routines on the stack, for the explorer's groups. The files
// that draw are built with -finstrument-functions (web/CMakeLists.txt), so
// each routine's entry and exit reach the hooks here, which number each
// call of a routine: two calls of one routine in a row are two groups. Their
// names come from the script's stack (stack.h). Outside a recording this
// costs the hooks' count, nothing more.
#ifndef WEB_GL_ROUTINES_H
#define WEB_GL_ROUTINES_H

#include <string>

// The routines on the stack now, and those entered since the page started:
// the same two as at the last row mean the same routines.
extern int nesting;
extern unsigned routines_entered;

// display is called next: the routines entered from now on are display and
// those it calls.
void routines_from_display();

// The routines between display (included) and the entry point being
// recorded, outermost first, as JSON arrays of their names and their
// numbers.
void routines_of(std::string *names_json, std::string *numbers_json);

#endif
