// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The routines on the stack: numbered by the hooks, named by the script's stack.
#include "web/gl/routines.h"

#include "web/gl/json.h"
#include "web/gl/stack.h"

#include <emscripten.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

int nesting = 0;
unsigned routines_entered = 0;

namespace {

constexpr int kMaxNesting = 256;
unsigned entered[kMaxNesting];  // the number of each routine on the stack
int display_nesting = 0;        // the routines on the stack when display is called

// The script's stack now as the browser writes it, innermost frame first,
// with the names the build kept in its name section. V8 writes ten frames
// unless told otherwise, fewer than a call deep in the scene has.
EM_JS(char *, script_stack, (), {
  var limit = Error.stackTraceLimit;
  Error.stackTraceLimit = Infinity;
  var text = String(new Error().stack);
  Error.stackTraceLimit = limit;
  var size = lengthBytesUTF8(text) + 1, out = _malloc(size);
  stringToUTF8(text, out, size);
  return out;
});

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

void routines_from_display() { display_nesting = nesting; }

// As many routines as the hooks counted since display was called, named by
// the stack (those past the first kMaxNesting are left out, having no number).
void routines_of(std::string *names_json, std::string *numbers_json) {
  const int first = display_nesting;
  const int count = std::max(0, std::min(nesting, kMaxNesting) - first);
  char *stack = script_stack();
  const std::vector<std::string> names = stack_routines(stack, std::max(0, nesting - first));
  std::free(stack);
  *names_json = "[";
  *numbers_json = "[";
  for (int i = 0; i < count; ++i) {
    *names_json += i ? ",\"" : "\"";
    add_escaped(names_json, names[i]);
    *names_json += "\"";
    *numbers_json += (i ? "," : "") + std::to_string(entered[first + i]);
  }
  *names_json += "]";
  *numbers_json += "]";
}
