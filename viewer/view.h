// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// A program's view as a line of text, and back.
//
// Each program lists the variables that make what it shows (the camera, the
// steps, the animation) in a table, `view_fields`. The text is
// "v=1&x=6.5&y=4&...": the format's version first, then every field of the
// table by name. Floats are written with 9 significant digits, which reads
// back to the same float; flags are 0 or 1. Reading is all or nothing: a
// text with another version, a missing, repeated or unknown field, or a
// value that is not a finite float changes no variable.
#ifndef VIEWER_VIEW_H
#define VIEWER_VIEW_H

#include <string>

struct ViewField {
  const char *name;
  float *real;  // a float of the program, or
  int *flag;    // an int of the program that is 0 or 1
};

// The program's table; each program defines it.
extern const ViewField view_fields[];
extern const int view_field_count;

// The version this code writes; it reads every version it has written.
constexpr int kViewVersion = 1;
// No text the programs write comes near this; a longer one is not read.
constexpr std::size_t kViewTextMax = 512;

std::string write_view(const ViewField *fields, int count);
// True if the text was read and every field set; false if nothing changed.
bool read_view(const std::string &text, const ViewField *fields, int count);

// The program's own view, for whatever shows it to the user (a link, say);
// the text stays valid until the next call.
extern "C" const char *view_text();
// Sets the program's view from such a text: 1 if it was read, 0 if it was
// ignored whole.
extern "C" int set_view(const char *text);

#endif
