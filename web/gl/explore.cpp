// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The explorer's record of a frame, its stopping point and its edits.
#include "web/gl/explore.h"

#include "web/gl/gl_layer.h"
#include "web/gl/state.h"

#include <emscripten.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
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
State kept[2];                                // the state the held frame began and ended with
std::string json;
void (*when_undone)() = nullptr;

// The scene's routines are built with -finstrument-functions for the page:
// each entry and exit comes here, so that each call of a routine has a
// number of its own and two calls of one routine in a row are two groups.
constexpr int kMaxNesting = 256;
unsigned entered[kMaxNesting];  // the number of each routine on the stack
int nesting = 0;
unsigned routines_entered = 0;
int display_nesting = 0;  // the routines on the stack when display is called

// The script's stack now, one frame a line ("    at NAME (wasm://...)"),
// innermost first: the names are those the build kept in its name section.
EM_JS(char *, explore_stack, (), {
  var text = new Error().stack, size = lengthBytesUTF8(text) + 1, out = _malloc(size);
  stringToUTF8(text, out, size);
  return out;
});

// A function's bare name: "drawBookshelf" of "drawBookshelf()", of
// "void (anonymous namespace)::draw_boxes<1>(Box const (&) [1])"
// "draw_boxes", and of a mangled name its last identifier.
std::string bare(std::string frame) {
  if (!frame.empty() && frame[0] == '$') frame.erase(0, 1);
  if (frame.compare(0, 2, "_Z") == 0) {
    std::size_t at = frame[2] == 'N' ? 3 : 2;
    std::string last = frame;
    while (at < frame.size() && std::isdigit(static_cast<unsigned char>(frame[at]))) {
      std::size_t digits = at;
      while (digits < frame.size() && std::isdigit(static_cast<unsigned char>(frame[digits])))
        ++digits;
      const std::size_t n = std::stoul(frame.substr(at, digits - at));
      const std::string word = frame.substr(digits, n);
      if (word != "_GLOBAL__N_1") last = word;
      at = digits + n;
    }
    return last;
  }
  const std::string anonymous = "(anonymous namespace)::";
  for (std::size_t a; (a = frame.find(anonymous)) != std::string::npos;)
    frame.erase(a, anonymous.size());
  frame = frame.substr(0, frame.find('('));
  if (!frame.empty() && frame.back() == '>') frame = frame.substr(0, frame.find('<'));
  const std::size_t space = frame.rfind(' ');  // after a return type
  if (space != std::string::npos) frame = frame.substr(space + 1);
  const std::size_t colon = frame.rfind("::");
  return colon == std::string::npos ? frame : frame.substr(colon + 2);
}

// The routines on the stack between the entry point and the GLUT function
// that called display, outermost first, as JSON arrays of their names and
// of their numbers: the frames above this layer's own, leaving out the entry
// points (gl..., glu..., glut...). The numbers are left out should the two
// ever disagree on how many routines there are.
void routines_of(std::string *names_json, std::string *numbers_json) {
  char *stack = explore_stack();
  const std::string text = stack;
  std::free(stack);
  std::vector<std::string> names;
  bool inside = false;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(at, end - at);
    at = end + 1;
    const std::size_t from = line.find("at "), to = line.rfind(" (");
    if (from == std::string::npos || to == std::string::npos || to <= from + 3) continue;
    const std::string frame = bare(line.substr(from + 3, to - from - 3));
    if (frame == "draw_display") break;  // GLUT's, web/glut/glut.cpp
    if (inside && frame.compare(0, 2, "gl") != 0) names.insert(names.begin(), frame);
    if (frame == "open") inside = true;  // ExploreCall::open
  }
  *names_json = "[";
  for (std::size_t i = 0; i < names.size(); ++i)
    *names_json += (i ? ",\"" : "\"") + names[i] + "\"";
  *names_json += "]";
  *numbers_json = "[";
  const int first = display_nesting, count = std::min(nesting, kMaxNesting) - first;
  if (count == static_cast<int>(names.size())) {
    for (int i = 0; i < count; ++i)
      *numbers_json += (i ? "," : "") + std::to_string(entered[first + i]);
  }
  *numbers_json += "]";
}

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

void add_escaped(std::string *out, const std::string &text) {
  for (char c : text) {
    if (c == '"' || c == '\\') *out += '\\';
    *out += c;
  }
}

// A float as JSON: an infinity or a NaN (of an edit) as C prints it, in quotes.
std::string json_float(float v) {
  const std::string text = number_text(ArgKind::kFloat, v);
  return std::isfinite(v) ? text : "\"" + text + "\"";
}

void add_numbers(std::string *out, const float *v, int n) {
  *out += "[";
  for (int i = 0; i < n; ++i) *out += (i ? "," : "") + json_float(v[i]);
  *out += "]";
}

void add_vec(std::string *out, const char *name, const Vec4 &v) {
  *out += std::string("\"") + name + "\":";
  const float f[4] = {v.x, v.y, v.z, v.w};
  add_numbers(out, f, 4);
  *out += ",";
}

}  // namespace

// The hooks take each routine's return address, which they do not use; the
// library's own reads it from a script stack trace on every call.
extern "C" __attribute__((no_instrument_function)) void *emscripten_return_address(int) {
  return nullptr;
}

extern "C" __attribute__((no_instrument_function)) void __cyg_profile_func_enter(void *, void *) {
  if (nesting < kMaxNesting) entered[nesting] = ++routines_entered;
  ++nesting;
}

extern "C" __attribute__((no_instrument_function)) void __cyg_profile_func_exit(void *, void *) {
  --nesting;
}

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
    if (marking) {
      flush();  // what came before is drawn untinted
      webgl_mark(true);
    }
  }
}

ExploreCall::~ExploreCall() {
  if (counted_) --depth;
}

void explore_record() {
  mode = Mode::kRecord;
  display_nesting = nesting;
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
}

void explore_off() {
  mode = Mode::kOff;
  if (marking) webgl_mark(false);
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

// GL 1.1's state now, as the explorer shows it: the matrices as they read
// (column by column), the stacks' depths, the current colour, the front
// material and what colour material tracks, the enabled lights in eye space,
// the capabilities and the bound texture.
const char *explore_state() {
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

void explore_keep_state(bool at_start) {
  flush();
  kept[at_start ? 0 : 1] = gl;
}

void explore_put_back_state(bool at_start) { put_back_state(kept[at_start ? 0 : 1]); }
