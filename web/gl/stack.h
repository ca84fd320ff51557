// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The routines on a script stack, read from its text (new Error().stack) as
// any browser writes it, innermost frame first, a frame a line:
//   V8 (Chrome, Edge)         "    at NAME (LOCATION)", "    at LOCATION"
//   SpiderMonkey (Firefox)    "NAME@LOCATION", "@LOCATION"
//   JavaScriptCore (Safari)   "NAME@LOCATION", "LOCATION", "NAME@[native code]",
//                             "<?>.wasm-function[NAME]@[wasm code]"
// Plain C++, so that the unit tests read each browser's text natively.
#ifndef WEB_GL_STACK_H
#define WEB_GL_STACK_H

#include <string>
#include <vector>

// What names a routine whose frame the stack does not name, or does not hold.
inline constexpr char kUnnamedRoutine[] = "(unnamed)";

// The bare name of the function of one line of a stack: "drawBookshelf" of
// "drawBookshelf()", "$drawBookshelf" and "_Z13drawBookshelfv", "draw_boxes" of
// "void (anonymous namespace)::draw_boxes<1>(Box const (&) [1])"; "" where
// the line names none (a location alone, a function known by its index).
std::string stack_frame_name(const std::string &line);

// The `count` routines that called the outermost GL, GLU or GLUT function on
// the stack `text`, outermost first. The numbering knows the count (the
// routines entered since display was called, display included), so no other
// function's name marks where they end. A routine the stack does not name,
// or does not reach (a stack cut short), is kUnnamedRoutine.
std::vector<std::string> stack_routines(const std::string &text, int count);

#endif
