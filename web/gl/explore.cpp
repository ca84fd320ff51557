// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The explorer's record of a frame, its stopping point and its edits: the
// routines come from routines.cpp, GL's state and its copies from state.cpp.
#include "web/gl/explore.h"

#include "web/gl/batch.h"
#include "web/gl/journey.h"
#include "web/gl/json.h"
#include "web/gl/limits.h"
#include "web/gl/routines.h"
#include "web/gl/state.h"
#include "web/webgl/webgl.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

enum class Mode { kOff, kRecord, kDraw };
Mode mode = Mode::kOff;
int depth = 0;      // entry points open now: only the outermost is the scene's
int next_call = 0;  // the index of the next call of the frame
int stop_after = -1;
int chosen_from = -1;  // the first of the chosen calls
bool marking = false;  // what the chosen calls draw is tinted
std::string state_before;  // GL's state as the first chosen call found it
std::string journey;       // the chosen vertex's way, as JSON, or ""
float shape_point[3] = {0, 0, 0};  // the point of a chosen GLUT shape that the journey follows
void (*watch_before)(int) = nullptr;
void (*watch_after)(int) = nullptr;

// What a number argument takes: its C type's range (`type` holds it), or
// less where the page draws no more (`per`: "slices" on this page).
struct Limit {
  double least, most;
  const char *type, *per;
};

// The arguments whose limits are not their kind's.
struct CallLimit {
  const char *call;
  int arg;
  Limit limit;
};
const CallLimit kCallLimits[] = {
    {"glBindTexture", 1, {0, UINT_MAX, "a GLuint", nullptr}},
    {"glutSolidSphere", 1, {INT_MIN, kMaxSphereSlices, "an int", "slices"}},
    {"glutSolidSphere", 2, {INT_MIN, kMaxSphereStacks, "an int", "stacks"}},
    {"glutWireSphere", 1, {INT_MIN, kMaxSphereSlices, "an int", "slices"}},
    {"glutWireSphere", 2, {INT_MIN, kMaxSphereStacks, "an int", "stacks"}},
};

struct Row {
  std::string name, text, routines, entered;  // the routines' names and numbers, as JSON
  bool draws;
  std::vector<CallArg> args;
};

Limit limit_of(const Row &row, int arg) {
  for (const CallLimit &c : kCallLimits) {
    if (row.name == c.call && arg == c.arg) return c.limit;
  }
  switch (row.args[arg].kind) {
    case ArgKind::kDouble: return {-DBL_MAX, DBL_MAX, "a double", nullptr};
    case ArgKind::kInt: return {INT_MIN, INT_MAX, "an int", nullptr};
    default: return {-FLT_MAX, FLT_MAX, "a float", nullptr};
  }
}

std::vector<Row> rows;
// (call, argument, item of an array) -> value
std::map<std::tuple<int, int, int>, double> edits;
// An edited array argument's copy, which the call reads in place of the
// program's own array: (call, argument) -> floats.
std::map<std::pair<int, int>, std::array<float, 4>> copies;
std::string json;
void (*when_undone)() = nullptr;

double read(const ExploreArg &a, int k) {
  switch (a.store) {
    case ArgStore::kFloat: return *static_cast<float *>(a.value);
    case ArgStore::kDouble: return *static_cast<double *>(a.value);
    case ArgStore::kInt: return *static_cast<int *>(a.value);
    case ArgStore::kUint: return *static_cast<unsigned *>(a.value);
    case ArgStore::kFloats: return (*static_cast<const float **>(a.value))[k];
  }
  return 0;
}

// Argument `arg` of call `call` takes `v` (its item `item`, of an array).
// The program's own array is never written: the call reads a copy.
void write(const ExploreArg &a, int call, int arg, int item, double v) {
  switch (a.store) {
    case ArgStore::kFloat: *static_cast<float *>(a.value) = static_cast<float>(v); break;
    case ArgStore::kDouble: *static_cast<double *>(a.value) = v; break;
    case ArgStore::kInt: *static_cast<int *>(a.value) = static_cast<int>(v); break;
    case ArgStore::kUint:
      *static_cast<unsigned *>(a.value) = static_cast<unsigned>(std::max(0.0, v));
      break;
    case ArgStore::kFloats: {
      const float *&pointer = *static_cast<const float **>(a.value);
      auto copy = copies.find({call, arg});
      if (copy == copies.end()) {
        std::array<float, 4> floats{};
        std::copy(pointer, pointer + a.count, floats.begin());
        copy = copies.emplace(std::make_pair(call, arg), floats).first;
      }
      copy->second[item] = static_cast<float>(v);
      pointer = copy->second.data();
      break;
    }
  }
}

// The chosen call's vertex as GL is about to take it, followed through the
// pipeline: a glVertex's, or the chosen point of a GLUT shape.
void follow(const Row &row, std::initializer_list<ExploreArg> args) {
  float object[3];
  const bool vertex = row.name.rfind("glVertex", 0) == 0;
  if (vertex) {
    const ExploreArg *a = args.begin();
    for (int k = 0; k < 3; ++k)
      object[k] = static_cast<float>(a[0].count > 1 ? read(a[0], k) : read(a[k], 0));
  } else if (row.name.rfind("glut", 0) == 0 && row.draws) {
    std::copy(shape_point, shape_point + 3, object);
  } else {
    return;
  }
  journey = journey_json(object, vertex);
}

}  // namespace

__attribute__((noinline)) void ExploreCall::open(const char *name, bool draws,
                                                 std::initializer_list<ExploreArg> args) {
  if (mode == Mode::kOff) return;
  counted_ = true;
  if (depth++ > 0) return;  // inside a GLU or GLUT call: its own
  const int index = next_call++;
  if (mode == Mode::kRecord) {
    Row row{name, "", "", "", draws, {}};
    for (const ExploreArg &a : args) {
      CallArg arg{a.kind, 0, {}};
      if (a.store == ArgStore::kFloats) {
        for (int k = 0; k < a.count; ++k) arg.floats.push_back(static_cast<float>(read(a, k)));
      } else {
        arg.value = read(a, 0);
      }
      row.args.push_back(arg);
    }
    row.text = call_text(name, row.args);
    // No routine entered or left since the last row: the same routines,
    // without reading the script's stack again.
    static unsigned last_entered;
    static int last_nesting;
    if (!rows.empty() && routines_entered == last_entered && nesting == last_nesting) {
      row.routines = rows.back().routines;
      row.entered = rows.back().entered;
    } else {
      routines_of(&row.routines, &row.entered);
    }
    last_entered = routines_entered;
    last_nesting = nesting;
    rows.push_back(std::move(row));
    return;
  }
  int k = 0;
  for (const ExploreArg &a : args) {
    for (int item = 0; item < a.count; ++item) {
      const auto edit = edits.find({index, k, item});
      if (edit != edits.end()) write(a, index, k, item, edit->second);
    }
    ++k;
  }
  run_ = index <= stop_after;
  if (index == chosen_from && run_) {
    state_before = explore_state();
    if (index == stop_after) follow(rows[index], args);
    if (marking) {
      flush();  // what came before is drawn untinted
      webgl_look(Look::kTinted);
    }
  }
  if (run_ && draws && watch_before) {
    watched_ = index;
    watch_before(index);
  }
}

ExploreCall::~ExploreCall() {
  if (!counted_) return;
  if (--depth == 0 && watched_ >= 0) {
    flush();
    watch_after(watched_);
  }
}

void explore_watch(void (*before)(int call), void (*after)(int call)) {
  watch_before = before;
  watch_after = after;
}

const char *explore_row_name(int call) {
  return call >= 0 && call < explore_count() ? rows[call].name.c_str() : "";
}

double explore_row_arg(int call, int arg) {
  if (call < 0 || call >= explore_count() || arg < 0 ||
      arg >= static_cast<int>(rows[call].args.size())) {
    return 0;
  }
  return rows[call].args[arg].value;
}

void explore_follow_point(float x, float y, float z) {
  shape_point[0] = x;
  shape_point[1] = y;
  shape_point[2] = z;
}

const char *explore_journey() { return journey.c_str(); }

void explore_record() {
  mode = Mode::kRecord;
  routines_from_display();
  rows.clear();
  edits.clear();
  copies.clear();
  next_call = 0;
}

void explore_draw(int from, int stop, bool mark) {
  mode = Mode::kDraw;
  next_call = 0;
  stop_after = stop;
  chosen_from = from;
  marking = mark;
  state_before.clear();
  if (from >= 0) journey.clear();
}

void explore_off() {
  mode = Mode::kOff;
  if (marking) webgl_look(Look::kDrawn);
  marking = false;
}

const char *explore_state_before() { return state_before.c_str(); }
int explore_count() { return static_cast<int>(rows.size()); }
bool explore_redrawing() { return mode == Mode::kDraw; }

void explore_edit(int call, int arg, int item, double value) {
  if (call < 0 || call >= explore_count() || std::isnan(value)) return;
  const Row &row = rows[call];
  if (arg < 0 || arg >= static_cast<int>(row.args.size())) return;
  const CallArg &a = row.args[arg];
  if (a.kind == ArgKind::kEnum || a.kind == ArgKind::kBits) return;  // no input on the page
  if (item < 0 || item >= std::max<int>(1, static_cast<int>(a.floats.size()))) return;
  const Limit limit = limit_of(row, arg);
  edits[{call, arg, item}] = std::min(limit.most, std::max(limit.least, value));
}

void explore_undo() {
  edits.clear();
  copies.clear();
  if (when_undone) when_undone();
}

void explore_when_undone(void (*callback)()) { when_undone = callback; }

const char *explore_rows() {
  json = "[";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const Row &r = rows[i];
    json += i ? ",{" : "{";
    json += "\"text\":\"";
    add_escaped(&json, r.text);
    json += "\",\"name\":\"" + r.name + "\",\"routines\":" + r.routines;
    json += ",\"entered\":" + r.entered;
    json += std::string(",\"draws\":") + (r.draws ? "true" : "false") + ",\"args\":[";
    for (std::size_t k = 0; k < r.args.size(); ++k) {
      const CallArg &a = r.args[k];
      static const char *const kKinds[] = {"float", "double", "int", "enum", "bits", "floats"};
      json += std::string(k ? "," : "") + "{\"kind\":\"" + kKinds[static_cast<int>(a.kind)] + "\",";
      if (a.kind != ArgKind::kEnum && a.kind != ArgKind::kBits) {
        const Limit l = limit_of(r, static_cast<int>(k));
        char limit[120];
        std::snprintf(limit, sizeof limit,
                      "\"least\":%.17g,\"most\":%.17g,\"type\":\"%s\",\"per\":\"%s\",", l.least,
                      l.most, l.type, l.per ? l.per : "");
        json += limit;
      }
      json += "\"value\":";
      if (a.kind == ArgKind::kFloats) {
        add_numbers(&json, a.floats.data(), static_cast<int>(a.floats.size()));
      } else {
        json += "\"";
        add_escaped(&json, number_text(a.kind, a.value));
        json += "\"";
      }
      json += "}";
    }
    json += "]}";
  }
  json += "]";
  return json.c_str();
}

// GL's state lives in state.cpp; the batch is drawn before it changes.
const char *explore_state() { return state_json(); }

void explore_keep_state(bool at_start) {
  flush();
  keep_state(at_start);
}

void explore_put_back_state(bool at_start) {
  flush();
  put_back_state(at_start);
}
