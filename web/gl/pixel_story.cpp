// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// A pixel's story from what each call did there: plain C++, so that it
// builds and is tested natively.
#include "web/gl/pixel.h"

#include <string>
#include <vector>

std::string pixel_story(const std::vector<Touch> &touches) {
  std::string out = "[";
  int last_written = -1, last_depth = -1;  // indices into touches
  std::vector<int> writer_after(touches.size(), -1);
  for (size_t i = 0; i < touches.size(); ++i) {
    if (touches[i].clear || touches[i].passed) {
      if (last_written >= 0) writer_after[last_written] = static_cast<int>(i);
      last_written = static_cast<int>(i);
    }
  }
  for (size_t i = 0; i < touches.size(); ++i) {
    const Touch &t = touches[i];
    std::string did, by, plane;
    if (t.clear || t.passed) {
      did = writer_after[i] < 0 ? "final" : "covered";
      if (writer_after[i] >= 0) by = std::to_string(touches[writer_after[i]].call);
    } else if (t.covers) {
      did = "depth";
      if (last_depth >= 0) by = std::to_string(touches[last_depth].call);
    } else if (t.near || t.far) {
      did = "clipped";
      plane = t.near ? "near" : "far";
    }
    if (t.passed && t.depth_on) last_depth = static_cast<int>(i);
    if (did.empty()) continue;
    out += std::string(out.size() > 1 ? "," : "") + "{\"call\":" + std::to_string(t.call) +
           ",\"did\":\"" + did + "\"";
    if (!by.empty()) out += ",\"by\":" + by;
    if (!plane.empty()) out += ",\"plane\":\"" + plane + "\"";
    if (t.clear || t.passed) {
      out += ",\"colour\":[" + std::to_string(t.colour[0]) + "," + std::to_string(t.colour[1]) +
             "," + std::to_string(t.colour[2]) + "]";
    }
    out += "}";
  }
  return out + "]";
}
