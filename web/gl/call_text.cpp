// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
#include "web/gl/call_text.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

struct Name {
  unsigned value;
  const char *name;
};

// The enums the viewers pass, by value.
const Name kEnums[] = {
    {GL_LINES, "GL_LINES"},
    {GL_TRIANGLES, "GL_TRIANGLES"},
    {GL_QUADS, "GL_QUADS"},
    {GL_TEXTURE_2D, "GL_TEXTURE_2D"},
    {GL_LIGHTING, "GL_LIGHTING"},
    {GL_DEPTH_TEST, "GL_DEPTH_TEST"},
    {GL_COLOR_MATERIAL, "GL_COLOR_MATERIAL"},
    {GL_NORMALIZE, "GL_NORMALIZE"},
    {GL_LIGHT0, "GL_LIGHT0"},
    {GL_LIGHT1, "GL_LIGHT1"},
    {GL_MODELVIEW, "GL_MODELVIEW"},
    {GL_PROJECTION, "GL_PROJECTION"},
    {GL_FRONT, "GL_FRONT"},
    {GL_BACK, "GL_BACK"},
    {GL_FRONT_AND_BACK, "GL_FRONT_AND_BACK"},
    {GL_AMBIENT, "GL_AMBIENT"},
    {GL_DIFFUSE, "GL_DIFFUSE"},
    {GL_SPECULAR, "GL_SPECULAR"},
    {GL_EMISSION, "GL_EMISSION"},
    {GL_AMBIENT_AND_DIFFUSE, "GL_AMBIENT_AND_DIFFUSE"},
    {GL_POSITION, "GL_POSITION"},
    {GL_SHININESS, "GL_SHININESS"},
    {GL_TEXTURE_ENV, "GL_TEXTURE_ENV"},
    {GL_TEXTURE_ENV_MODE, "GL_TEXTURE_ENV_MODE"},
    {GL_MODULATE, "GL_MODULATE"},
    {GL_FLAT, "GL_FLAT"},
    {GL_SMOOTH, "GL_SMOOTH"},
};

const Name kBits[] = {
    {GL_COLOR_BUFFER_BIT, "GL_COLOR_BUFFER_BIT"},
    {GL_DEPTH_BUFFER_BIT, "GL_DEPTH_BUFFER_BIT"},
};

// The shortest %g text, of up to `digits` significant digits, that reads
// back to the same number; a whole number is never written with an exponent.
std::string shortest(double value, bool single, int digits) {
  char text[40];
  for (int p = 1; p <= digits; ++p) {
    std::snprintf(text, sizeof text, "%.*g", p, value);
    const double back =
        single ? static_cast<double>(std::strtof(text, nullptr)) : std::strtod(text, nullptr);
    const bool same =
        single ? static_cast<float>(back) == static_cast<float>(value) : back == value;
    if (!same) continue;
    const std::string s = text;
    if (s.find('e') != std::string::npos && value == std::trunc(value) && std::fabs(value) < 1e16) {
      std::snprintf(text, sizeof text, "%.0f", value);
      return text;
    }
    return s;
  }
  std::snprintf(text, sizeof text, "%.*g", digits, value);
  return text;
}

}  // namespace

std::string number_text(ArgKind kind, double value) {
  switch (kind) {
    case ArgKind::kFloat: return shortest(value, true, 9);
    case ArgKind::kDouble: return shortest(value, false, 17);
    case ArgKind::kEnum:
      for (const Name &n : kEnums) {
        if (n.value == static_cast<unsigned>(value)) return n.name;
      }
      break;
    case ArgKind::kBits: {
      std::string text;
      unsigned rest = static_cast<unsigned>(value);
      for (const Name &n : kBits) {
        if ((rest & n.value) == 0) continue;
        text += (text.empty() ? "" : " | ") + std::string(n.name);
        rest &= ~n.value;
      }
      if (rest == 0 && !text.empty()) return text;
      break;
    }
    default: break;
  }
  char text[24];
  std::snprintf(text, sizeof text, "%.0f", value);
  return text;
}

std::string call_text(const char *name, const std::vector<CallArg> &args) {
  std::string text = std::string(name) + "(";
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (i) text += ", ";
    if (args[i].kind == ArgKind::kFloats) {
      text += "{";
      for (std::size_t k = 0; k < args[i].floats.size(); ++k) {
        text += (k ? ", " : "") + number_text(ArgKind::kFloat, args[i].floats[k]);
      }
      text += "}";
    } else {
      text += number_text(args[i].kind, args[i].value);
    }
  }
  return text + ")";
}
