// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// A pixel's history: the held frame drawn again once for each question,
// reaching only that pixel, which is read after each call that draws.
#include "web/gl/pixel.h"

#include "web/gl/explore.h"
#include "web/gl/json.h"
#include "web/gl/state.h"
#include "web/webgl/webgl.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// A question: how every draw looks, whether any depth passes, which plane
// is moved out, and which of a touch's answers it fills.
enum class Answer { kCovers, kPassed, kNear, kFar, kColour, kTexel, kShade };
struct Question {
  Look look;
  bool any_depth;
  MovedPlane plane;
  Answer answer;
};
// The first makes the touches.
const Question kQuestions[] = {
    {Look::kWhite, false, kNoPlane, Answer::kPassed},
    {Look::kWhite, true, kNoPlane, Answer::kCovers},
    {Look::kWhite, true, kNearPlane, Answer::kNear},
    {Look::kWhite, true, kFarPlane, Answer::kFar},
    {Look::kDrawn, false, kNoPlane, Answer::kColour},
};

int px, py;
const Question *asked;
std::vector<Touch> touches;
size_t next_touch;
int looked_at = -1;  // the call drawn in `asked`'s look alone; the rest as drawn
unsigned char looked[4];
std::string json;

void before(int call) {
  if (asked->look == Look::kWhite) webgl_blank();
  if (asked->answer == Answer::kPassed) {
    const bool clear = std::strcmp(explore_row_name(call), "glClear") == 0 &&
                       (static_cast<unsigned>(explore_row_arg(call, 0)) & GL_COLOR_BUFFER_BIT);
    touches.push_back({call, clear, false, false, gl.depth_test, textured(), false, false, {}});
  }
  if (call == looked_at) webgl_look(asked->look);
}

void after(int call) {
  unsigned char rgba[4];
  if (looked_at >= 0) {
    if (call != looked_at) return;
    webgl_read_pixel(px, py, looked);
    webgl_look(Look::kDrawn);
    return;
  }
  webgl_read_pixel(px, py, rgba);
  if (next_touch >= touches.size() || touches[next_touch].call != call) return;
  Touch &t = touches[next_touch++];
  const bool white = rgba[0] == 255 && rgba[1] == 255 && rgba[2] == 255;
  switch (asked->answer) {
    case Answer::kCovers: t.covers = white; break;
    case Answer::kPassed: t.passed = white; break;
    case Answer::kNear: t.near = white; break;
    case Answer::kFar: t.far = white; break;
    default: std::memcpy(t.colour, rgba, 4); break;
  }
}

void ask(const Question &q, int stop, void (*draw_frame)()) {
  asked = &q;
  next_touch = 0;
  webgl_probe(px, py, q.any_depth);
  move_plane_out(q.plane);
  if (looked_at < 0) webgl_look(q.look);
  explore_watch(before, after);
  explore_draw(-1, stop, false);
  draw_frame();
  explore_off();
  explore_watch(nullptr, nullptr);
  webgl_look(Look::kDrawn);
  move_plane_out(kNoPlane);
  webgl_probe_off();
}

void add_rgb(const unsigned char *c) {
  json +=
      "[" + std::to_string(c[0]) + "," + std::to_string(c[1]) + "," + std::to_string(c[2]) + "]";
}

}  // namespace

const char *pixel_history(int x, int y, int stop, void (*draw_frame)()) {
  json = "{\"x\":" + std::to_string(x) + ",\"y\":" + std::to_string(y) + ",\"calls\":";
  const int *v = gl.viewport;
  if (x < v[0] || y < v[1] || x >= v[0] + v[2] || y >= v[1] + v[3]) return (json += "[]}").c_str();
  px = x;
  py = y;
  touches.clear();
  looked_at = -1;
  for (const Question &q : kQuestions) ask(q, stop, draw_frame);
  json += pixel_story(touches);
  // A textured final call: its texture's value and its colour, each alone.
  const auto last = std::find_if(touches.rbegin(), touches.rend(),
                                 [](const Touch &t) { return t.clear || t.passed; });
  if (last != touches.rend() && !last->clear && last->textured) {
    looked_at = last->call;
    for (Look look : {Look::kTexel, Look::kShade}) {
      const Question q{look, false, kNoPlane, Answer::kColour};
      ask(q, looked_at, draw_frame);
      json += look == Look::kTexel ? ",\"texel\":" : ",\"shade\":";
      add_rgb(looked);
    }
    looked_at = -1;
  }
  json += "}";
  return json.c_str();
}
