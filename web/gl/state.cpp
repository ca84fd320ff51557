// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// GL's state: what the layer's files ask of it, its copies and its JSON.
#include "web/gl/state.h"

#include "web/gl/json.h"

#include <algorithm>
#include <string>

State gl;
Immediate immediate;

namespace {

// The material terms that each mode of glColorMaterial takes from the
// current colour.
struct Tracking {
  GLenum mode;
  bool emission, ambient, diffuse, specular;
};
const Tracking kTracking[] = {
    {GL_EMISSION, true, false, false, false},
    {GL_AMBIENT, false, true, false, false},
    {GL_DIFFUSE, false, false, true, false},
    {GL_SPECULAR, false, false, false, true},
    {GL_AMBIENT_AND_DIFFUSE, false, true, true, false},
};

State kept[2];  // the state the held frame began and ended with
std::string json;

void add_vec(std::string *out, const char *name, const Vec4 &v) {
  *out += std::string("\"") + name + "\":";
  const float f[4] = {v.x, v.y, v.z, v.w};
  add_numbers(out, f, 4);
  *out += ",";
}

}  // namespace

void tracked_terms(bool out[4]) {
  const bool on = gl.colour_material && gl.colour_material_face != GL_BACK;
  const Tracking *row =
      std::find_if(std::begin(kTracking), std::end(kTracking),
                   [](const Tracking &t) { return t.mode == gl.colour_material_mode; });
  const bool found = on && row != std::end(kTracking);
  out[0] = found && row->emission;
  out[1] = found && row->ambient;
  out[2] = found && row->diffuse;
  out[3] = found && row->specular;
}

bool textured() {
  return gl.texture_2d && std::find(gl.complete_textures.begin(), gl.complete_textures.end(),
                                    gl.bound_texture) != gl.complete_textures.end();
}

namespace {
MovedPlane moved = kNoPlane;
bool given = false;
Mat4 projection_given;
}  // namespace

void move_plane_out(MovedPlane plane) { moved = plane; }

void project_with(const Mat4 *projection) {
  given = projection != nullptr;
  if (given) projection_given = *projection;
}

// Clip space's z taken to s z + (s - 1) w moves the far plane out to where
// nothing lies beyond it and keeps the near (z = -w); s z + (1 - s) w moves
// the near plane to the eye and keeps the far.
Mat4 projection_drawn() {
  if (given) return projection_given;
  if (moved == kNoPlane) return gl.projection.back();
  const float s = 1e-3f;
  Mat4 depth = mat_identity();
  depth.m[10] = s;
  depth.m[14] = moved == kFarPlane ? s - 1 : 1 - s;
  return mat_multiply(depth, gl.projection.back());
}

Vertex make_vertex(float x, float y, float z, const float normal[3]) {
  return {{x, y, z, 1},
          {normal[0], normal[1], normal[2]},
          {gl.colour.x, gl.colour.y, gl.colour.z, gl.colour.w},
          {gl.st[0], gl.st[1]}};
}

void keep_state(bool at_start) { kept[at_start ? 0 : 1] = gl; }

// The viewport and depth range stay as WebGL has them: a page resized
// while a frame is held set them since.
void put_back_state(bool at_start) { put_state(kept[at_start ? 0 : 1]); }

void put_state(const State &kept_state) {
  int viewport[4];
  float depth_range[2];
  std::copy(gl.viewport, gl.viewport + 4, viewport);
  std::copy(gl.depth_range, gl.depth_range + 2, depth_range);
  gl = kept_state;
  std::copy(viewport, viewport + 4, gl.viewport);
  std::copy(depth_range, depth_range + 2, gl.depth_range);
  immediate.inside = false;
  immediate.group.clear();
  webgl_bind_texture(gl.bound_texture);
  webgl_depth_test(gl.depth_test);
}

const char *state_json() {
  json = "{\"modelview\":";
  add_numbers(&json, gl.modelview.back().m, 16);
  json += ",\"projection\":";
  add_numbers(&json, gl.projection.back().m, 16);
  json += ",\"modelview-depth\":" + std::to_string(gl.modelview.size());
  json += ",\"projection-depth\":" + std::to_string(gl.projection.size()) + ",";
  add_vec(&json, "colour", gl.colour);
  json += "\"material\":{";
  add_vec(&json, "ambient", gl.front.ambient);
  add_vec(&json, "diffuse", gl.front.diffuse);
  add_vec(&json, "specular", gl.front.specular);
  add_vec(&json, "emission", gl.front.emission);
  json += "\"shininess\":" + json_float(gl.front.shininess) + "},";
  json += "\"colour-material\":\"" +
          (gl.colour_material ? number_text(ArgKind::kEnum, gl.colour_material_face) + " " +
                                    number_text(ArgKind::kEnum, gl.colour_material_mode)
                              : std::string("off")) +
          "\",\"lights\":[";
  bool first = true;
  for (int i = 0; i < kMaxLights; ++i) {
    const Light &l = gl.lights[i];
    if (!l.enabled) continue;
    json += std::string(first ? "" : ",") + "{\"light\":\"GL_LIGHT" + std::to_string(i) + "\",";
    first = false;
    add_vec(&json, "position", l.position);
    add_vec(&json, "ambient", l.ambient);
    add_vec(&json, "diffuse", l.diffuse);
    add_vec(&json, "specular", l.specular);
    json.back() = '}';
  }
  json += std::string("],\"lighting\":") + (gl.lighting ? "true" : "false");
  json += std::string(",\"depth-test\":") + (gl.depth_test ? "true" : "false");
  json += std::string(",\"texture-2d\":") + (gl.texture_2d ? "true" : "false");
  json += std::string(",\"colour-material-on\":") + (gl.colour_material ? "true" : "false");
  json += ",\"texture\":" + std::to_string(gl.bound_texture) + "}";
  return json.c_str();
}
