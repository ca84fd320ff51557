// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The little JSON the explorer's rows and GL's state are written in.
#ifndef WEB_GL_JSON_H
#define WEB_GL_JSON_H

#include "web/gl/call_text.h"

#include <cmath>
#include <string>

inline void add_escaped(std::string *out, const std::string &text) {
  for (char c : text) {
    if (c == '"' || c == '\\') *out += '\\';
    *out += c;
  }
}

// A float as JSON: an infinity or a NaN (of an edit) as C prints it, in quotes.
inline std::string json_float(float v) {
  const std::string text = number_text(ArgKind::kFloat, v);
  return std::isfinite(v) ? text : "\"" + text + "\"";
}

inline void add_numbers(std::string *out, const float *v, int n) {
  *out += "[";
  for (int i = 0; i < n; ++i) *out += (i ? "," : "") + json_float(v[i]);
  *out += "]";
}

#endif
