// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The explorer's groups as each browser's stack text gives them: the routines
// that called a GL, GLU or GLUT function, named as the program names them.
#include "web/gl/stack.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

TEST(WebStack, EachFormOfAFrameGivesItsFunctionsBareName) {
  const struct {
    const char *line, *name;
  } frames[] = {
      // V8, with the names the build keeps, and without.
      {"    at drawBookshelf() (wasm://wasm/000d2436:wasm-function[311]:0xee16)", "drawBookshelf"},
      {"    at void (anonymous namespace)::draw_boxes<1>(Box const (&) [1]) "
       "(wasm://wasm/000d2436:wasm-function[166]:0x797a)",
       "draw_boxes"},
      {"    at (anonymous namespace)::draw_model(Model) "
       "(wasm://wasm/000d2436:wasm-function[129]:0x49d4)",
       "draw_model"},
      {"    at $drawBookshelf (wasm://wasm/000d2436:wasm-function[311]:0xee16)", "drawBookshelf"},
      {"    at $_ZN12_GLOBAL__N_110draw_modelE5Model "
       "(wasm://wasm/000d2436:wasm-function[129]:0x49d4)",
       "draw_model"},
      {"    at _ZN11ExploreCall4openEPKcbSt16initializer_listI10ExploreArgE "
       "(wasm://x:wasm-function[85]:0x1)",
       "open"},
      {"    at _ZL9draw_quadRK4Quad (wasm://x:wasm-function[40]:0x1)", "draw_quad"},
      {"    at wasm://wasm/000d2436:wasm-function[298]:0xea38", ""},
      {"    at Module._web_explore_open (file:///site/roomtour.html:1576:402744)",
       "Module._web_explore_open"},
      {"    at new window.Error (eval at executeScript (:416:16), <anonymous>:5:44)",
       "window.Error"},
      {"Error", ""},
      // SpiderMonkey.
      {"drawFurniture()@file:///site/roomtour.html line 1576 > WebAssembly.instantiate:"
       "wasm-function[306]:0xec03",
       "drawFurniture"},
      {"@file:///site/roomtour.html line 1576 > WebAssembly.instantiate:wasm-function[306]:0xec03",
       ""},
      {"attach/<@file:///site/roomtour.html:1521:77", "attach/<"},
      // JavaScriptCore, before and after it put the name first.
      {"<?>.wasm-function[drawPlanet(float, float, float, float, float, float)]@[wasm code]",
       "drawPlanet"},
      {"<?>.wasm-function[void (anonymous namespace)::draw_boxes<3>(Box const (&) [3])]@[wasm "
       "code]",
       "draw_boxes"},
      {"<?>.wasm-function[311]@[wasm code]", ""},
      {"drawPlanets()@<?>:wasm-function[52]", "drawPlanets"},
      {"forEach@[native code]", "forEach"},
      {"file:///site/planets.html:1576:402750", ""},
      // A mangled name whose lengths run past it keeps its text, and ends.
      {"    at _Z18446744073709551615a (wasm://x:wasm-function[1]:0x1)", "_Z18446744073709551615a"},
      {"    at _ZN3Foo99x (wasm://x:wasm-function[1]:0x1)", "Foo"},
      {"    at _ZNK (wasm://x:wasm-function[1]:0x1)", "_ZNK"},
  };
  for (const auto &f : frames) EXPECT_EQ(stack_frame_name(f.line), f.name) << f.line;
}

// Stacks as each browser wrote them at a GL call of a recorded frame (V8's
// from the page, the others' in their documented forms), with the count of
// routines the numbering gave.
TEST(WebStack, TheRoutinesAreThoseOutsideTheOutermostEntryPointOnEveryBrowser) {
  const char *const v8 =
      "Error\n"
      "    at explore_stack (file:///site/roomtour.html:1576:299616)\n"
      "    at ExploreCall::open(char const*, bool, std::initializer_list<ExploreArg>) "
      "(wasm://wasm/000d2436:wasm-function[85]:0x18e3)\n"
      "    at glPushMatrix (wasm://wasm/000d2436:wasm-function[89]:0x2954)\n"
      "    at void (anonymous namespace)::draw_boxes<1>(Box const (&) [1]) "
      "(wasm://wasm/000d2436:wasm-function[166]:0x797a)\n"
      "    at drawBookshelf() (wasm://wasm/000d2436:wasm-function[311]:0xee16)\n"
      "    at (anonymous namespace)::draw_model(Model) "
      "(wasm://wasm/000d2436:wasm-function[129]:0x49d4)\n"
      "    at drawFurniture() (wasm://wasm/000d2436:wasm-function[306]:0xec03)\n"
      "    at draw_frame() (wasm://wasm/000d2436:wasm-function[298]:0xea38)\n"
      "    at display() (wasm://wasm/000d2436:wasm-function[625]:0x1e5e1)\n"
      "    at (anonymous namespace)::draw_display() "
      "(wasm://wasm/000d2436:wasm-function[185]:0x89b6)\n"
      "    at web_explore_open (wasm://wasm/000d2436:wasm-function[370]:0x14c44)\n"
      "    at Module._web_explore_open (file:///site/roomtour.html:1576:402744)\n"
      "    at HTMLButtonElement.<anonymous> (file:///site/roomtour.html:1521:77)";
  // Names as an older build kept them: mangled, with V8's "$"; one frame
  // known only by its index; GLU's call, whose own GL calls are inside it.
  const char *const v8_mangled =
      "Error\n"
      "    at $explore_stack (file:///site/roomtour.html:1576:299616)\n"
      "    at $_ZN11ExploreCall4openEPKcbSt16initializer_listI10ExploreArgE "
      "(wasm://wasm/1f:wasm-function[85]:0x18e3)\n"
      "    at $gluLookAt (wasm://wasm/1f:wasm-function[592]:0x1b1e8)\n"
      "    at $_Z16look_from_camerab (wasm://wasm/1f:wasm-function[278]:0xc820)\n"
      "    at wasm://wasm/1f:wasm-function[298]:0xea35\n"
      "    at $_Z7displayv (wasm://wasm/1f:wasm-function[625]:0x1e5e1)\n"
      "    at $_ZN12_GLOBAL__N_112draw_displayEv (wasm://wasm/1f:wasm-function[185]:0x89b6)\n";
  const char *const firefox =
      "explore_stack@file:///site/roomtour.html:1576:299616\n"
      "ExploreCall::open(char const*, bool, "
      "std::initializer_list<ExploreArg>)@file:///site/roomtour.html "
      "line 1576 > WebAssembly.instantiate:wasm-function[85]:0x18e3\n"
      "glTranslatef@file:///site/roomtour.html line 1576 > WebAssembly.instantiate:"
      "wasm-function[95]:0x2a10\n"
      "(anonymous namespace)::place(Placement const&)@file:///site/roomtour.html line 1576 > "
      "WebAssembly.instantiate:wasm-function[131]:0x4a51\n"
      "drawFurniture()@file:///site/roomtour.html line 1576 > WebAssembly.instantiate:"
      "wasm-function[306]:0xec03\n"
      "draw_frame()@file:///site/roomtour.html line 1576 > WebAssembly.instantiate:"
      "wasm-function[298]:0xea38\n"
      "display()@file:///site/roomtour.html line 1576 > WebAssembly.instantiate:"
      "wasm-function[625]:0x1e5e1\n"
      "(anonymous namespace)::draw_display()@file:///site/roomtour.html line 1576 > "
      "WebAssembly.instantiate:wasm-function[185]:0x89b6\n"
      "Module._web_explore_open@file:///site/roomtour.html:1576:402744\n"
      "attach/<@file:///site/roomtour.html:1521:77\n";
  const char *const safari =
      "explore_stack@file:///site/planets.html:1576:299620\n"
      "wasm-stub@[wasm code]\n"
      "<?>.wasm-function[ExploreCall::open(char const*, bool, "
      "std::initializer_list<ExploreArg>)]@[wasm code]\n"
      "<?>.wasm-function[glutWireSphere]@[wasm code]\n"
      "<?>.wasm-function[drawPlanet(float, float, float, float, float, float)]@[wasm code]\n"
      "<?>.wasm-function[drawPlanets()]@[wasm code]\n"
      "<?>.wasm-function[drawSolarSystem()]@[wasm code]\n"
      "<?>.wasm-function[draw_frame()]@[wasm code]\n"
      "<?>.wasm-function[display()]@[wasm code]\n"
      "<?>.wasm-function[(anonymous namespace)::draw_display()]@[wasm code]\n"
      "<?>.wasm-function[web_explore_open]@[wasm code]\n"
      "wasm-stub@[wasm code]\n"
      "file:///site/planets.html:1576:402750\n"
      "forEach@[native code]\n";
  const char *const safari_named_first =
      "explore_stack@file:///site/planets.html:1576:299620\n"
      "ExploreCall::open(char const*, bool, "
      "std::initializer_list<ExploreArg>)@<?>:wasm-function[85]\n"
      "glClear@<?>:wasm-function[610]\n"
      "draw_frame()@<?>:wasm-function[298]\n"
      "display()@<?>:wasm-function[625]\n"
      "(anonymous namespace)::draw_display()@<?>:wasm-function[185]\n";
  // V8 keeps ten frames unless told otherwise: the outermost routines fall off.
  const char *const cut_short =
      "Error\n"
      "    at explore_stack (file:///site/roomtour.html:1576:299616)\n"
      "    at ExploreCall::open(char const*, bool, std::initializer_list<ExploreArg>) "
      "(wasm://wasm/000d2436:wasm-function[85]:0x18e3)\n"
      "    at glPushMatrix (wasm://wasm/000d2436:wasm-function[89]:0x2954)\n"
      "    at void (anonymous namespace)::draw_boxes<3>(Box const (&) [3]) "
      "(wasm://wasm/000d2436:wasm-function[234]:0xa897)\n"
      "    at drawDesk() (wasm://wasm/000d2436:wasm-function[309]:0xedda)\n"
      "    at (anonymous namespace)::draw_model(Model) "
      "(wasm://wasm/000d2436:wasm-function[129]:0x49e0)\n"
      "    at drawFurniture() (wasm://wasm/000d2436:wasm-function[306]:0xec41)\n"
      "    at draw_frame() (wasm://wasm/000d2436:wasm-function[298]:0xea38)\n"
      "    at display() (wasm://wasm/000d2436:wasm-function[625]:0x1e5e1)\n";
  const struct {
    const char *what, *stack;
    int count;
    Names routines;
  } stacks[] = {
      {"V8",
       v8,
       6,
       {"display", "draw_frame", "drawFurniture", "draw_model", "drawBookshelf", "draw_boxes"}},
      {"V8, fewer than it holds", v8, 2, {"drawBookshelf", "draw_boxes"}},
      {"V8, mangled", v8_mangled, 3, {"display", kUnnamedRoutine, "look_from_camera"}},
      {"SpiderMonkey", firefox, 4, {"display", "draw_frame", "drawFurniture", "place"}},
      {"JavaScriptCore",
       safari,
       5,
       {"display", "draw_frame", "drawSolarSystem", "drawPlanets", "drawPlanet"}},
      {"JavaScriptCore, named first", safari_named_first, 2, {"display", "draw_frame"}},
      {"cut short",
       cut_short,
       8,
       {kUnnamedRoutine, kUnnamedRoutine, "display", "draw_frame", "drawFurniture", "draw_model",
        "drawDesk", "draw_boxes"}},
      {"no names at all",
       "    at wasm://w:wasm-function[3]:0x1\n    at wasm://w:wasm-function[4]:0x1\n",
       1,
       {kUnnamedRoutine}},
      {"display's own call", v8, 0, {}},
      {"a count below zero", v8, -1, {}},
      {"empty", "", 2, {kUnnamedRoutine, kUnnamedRoutine}},
  };
  for (const auto &s : stacks) EXPECT_EQ(stack_routines(s.stack, s.count), s.routines) << s.what;
}

}  // namespace
