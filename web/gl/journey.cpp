// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// A vertex followed through GL 1.1's stages, and its light.
#include "web/gl/journey.h"

#include "web/gl/json.h"
#include "web/gl/pipeline.h"
#include "web/gl/state.h"

#include <algorithm>
#include <string>

namespace {

std::string json;

void add(const char *name, const float *v, int n) {
  json += std::string(json.back() == '{' ? "\"" : ",\"") + name + "\":";
  add_numbers(&json, v, n);
}

void add(const char *name, const Vec4 &v, int n = 4) { add(name, &v.x, n); }

void add_term(const char *term, const Vec4 &value, const char *extra = "") {
  json += json.back() == '[' ? "{" : ",{";
  json += std::string("\"term\":\"") + term + "\",\"value\":";
  add_numbers(&json, &value.x, 3);
  json += std::string(extra) + "}";
}

void add_light(const Vec4 &eye) {
  float normals[9], n[3];
  normal_matrix(gl.modelview.back(), normals);
  eye_normal(normals, kNormal, gl.normalize, n);
  const LightTerms t = light_terms(gl.front, gl.lights, kMaxLights, gl.global_ambient, n, eye);
  json += ",\"light\":{";
  add("normal", n, 3);
  bool tracked[4];
  tracked_terms(tracked);
  static const char *const kTracked[4] = {"emission", "ambient", "diffuse", "specular"};
  json += ",\"tracked\":[";
  for (int k = 0, any = 0; k < 4; ++k) {
    if (tracked[k]) json += std::string(any++ ? "," : "") + "\"" + kTracked[k] + "\"";
  }
  json += "],\"terms\":[";
  add_term("emission", t.emission);
  add_term("scene ambient", t.scene_ambient);
  for (int i = 0; i < t.count; ++i) {
    const LightTerm &l = t.lights[i];
    const std::string name = "GL_LIGHT" + std::to_string(l.light);
    add_term((name + " ambient").c_str(), l.ambient);
    add_term((name + " diffuse").c_str(), l.diffuse,
             (",\"n-dot-l\":" + json_float(l.n_dot_l)).c_str());
    const std::string shine = ",\"n-dot-h\":" + json_float(l.n_dot_h) +
                              ",\"shininess\":" + json_float(gl.front.shininess);
    add_term((name + " specular").c_str(), l.specular, shine.c_str());
  }
  add_term("colour", t.colour);
  json += "]}";
  add("colour", t.colour);
}

}  // namespace

const char *journey_json(const float object[3], bool vertex) {
  const Vec4 o{object[0], object[1], object[2], 1};
  const Vec4 eye = mat_apply(gl.modelview.back(), o);
  const Vec4 clip = mat_apply(gl.projection.back(), eye);
  const Vec4 ndc{clip.x / clip.w, clip.y / clip.w, clip.z / clip.w, 1};
  const int *v = gl.viewport;
  const float *range = gl.depth_range;
  const float window[3] = {v[0] + (ndc.x + 1) * v[2] / 2, v[1] + (ndc.y + 1) * v[3] / 2,
                           range[0] + (ndc.z + 1) * (range[1] - range[0]) / 2};
  json = "{";
  add("object", o);
  add("eye", eye);
  add("clip", clip);
  static const char *const kPlanes[6] = {"near", "far", "left", "right", "bottom", "top"};
  // Outside a plane where the coordinate lies past w on its side.
  const float along[6] = {-clip.z, clip.z, -clip.x, clip.x, -clip.y, clip.y};
  json += ",\"outside\":[";
  for (int k = 0, any = 0; k < 6; ++k) {
    if (along[k] > clip.w) json += std::string(any++ ? "," : "") + "\"" + kPlanes[k] + "\"";
  }
  json += "]";
  add("ndc", ndc, 3);
  add("window", window, 3);
  const float viewport[4] = {static_cast<float>(v[0]), static_cast<float>(v[1]),
                             static_cast<float>(v[2]), static_cast<float>(v[3])};
  add("viewport", viewport, 4);
  add("range", range, 2);
  if (gl.lighting && vertex) {
    add_light(eye);
  } else if (gl.lighting) {
    json += ",\"colour\":null,\"light\":null";
  } else {
    const Vec4 c{std::clamp(gl.colour.x, 0.0f, 1.0f), std::clamp(gl.colour.y, 0.0f, 1.0f),
                 std::clamp(gl.colour.z, 0.0f, 1.0f), std::clamp(gl.colour.w, 0.0f, 1.0f)};
    add("colour", c);
    json += ",\"light\":null";
  }
  json += "}";
  return json.c_str();
}
