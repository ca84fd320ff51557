// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The GLUT calls the viewers make, on the page: the window is the canvas
// (its title the page's, its size the canvas's in device pixels), the
// right-button menu a list on the page, keys the page's key presses and
// on-screen controls, and the loop the browser's animation frames, each of
// which calls the idle callback and redraws if a redisplay was posted. The
// page is above this layer: what GLUT asks of it goes through the hooks the
// page registered (Module.hooks, page/start.js).
#include "web/gl/explore.h"
#include "web/gl/gl_layer.h"
#include "web/gl/outside.h"
#include "web/gl/pixel.h"

#include <GL/glut.h>
#include <emscripten.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

int window_width = 300, window_height = 300;  // GLUT's defaults
bool depth_buffer = false;
void (*display_callback)() = nullptr;
void (*reshape_callback)(int, int) = nullptr;
void (*keyboard_callback)(unsigned char, int, int) = nullptr;
void (*idle_callback)() = nullptr;
void (*menu_callback)(int) = nullptr;
bool redisplay = true;  // a new window is drawn once it shows
bool page_waits = false;  // for the next frame drawn
bool paused = false;      // the page holds all motion: no idle callback
// The explorer holds a frame: nothing is drawn or moved but at its asking,
// and it was last drawn up to this call.
bool held = false;
int held_from = -1, held_stop = -1;
bool held_marked = false;
int frames = 0;
// The outside view: shown, its observer's pose (outside.h), its picture's
// size; and whether its display runs now, which is not a frame.
bool outside = false;
double observer[6];
int outside_size = 0;
bool drawing_outside = false;

// The page's hooks.
EM_JS(void, page_open_window, (const char *title, int width), {
  Module.hooks.openWindow(UTF8ToString(title), width);
});
EM_JS(void, page_listen, (), { Module.hooks.listen(); });
EM_JS(void, page_add_menu_entry, (const char *label, int value), {
  Module.hooks.addMenuEntry(UTF8ToString(label), value);
});
EM_JS(void, page_attach_menu, (), { Module.hooks.attachMenu(); });
EM_JS(void, page_frame_drawn, (), { Module.hooks.frameDrawn(); });
EM_JS(void, page_outside_refused, (), { Module.hooks.outsideRefused(); });
EM_JS(void, page_cannot_draw, (const char *kind, const char *reason), {
  Module.hooks.cannotDraw(UTF8ToString(kind), UTF8ToString(reason));
});

// Draws a frame with the program's display, and tells the page if it waits
// for one, while the drawing buffer still holds it. The routines on a
// recorded call's stack end here, so it stays a function of its own.
__attribute__((noinline)) void draw_display() {
  display_callback();
  gl_layer_finish();
  ++frames;
  if (page_waits) {
    page_waits = false;
    page_frame_drawn();
  }
}

// The scene from outside, on its own canvas, as the frame (or the held
// frame) that follows will be: a held frame's edits and stopping point hold
// for it too.
void draw_outside() {
  if (!outside || !display_callback) return;
  if (!outside_begin(observer, outside_size)) {
    outside = false;
    page_outside_refused();
    return;
  }
  drawing_outside = true;
  if (held) {
    explore_put_back_state(true);
    explore_draw(-1, held_stop, false);
  }
  display_callback();
  if (held) explore_off();
  outside_end(held && std::strncmp(explore_row_name(held_stop), "glTranslate", 11) == 0);
  drawing_outside = false;
}

// The held frame drawn again from the state it began with, up to and
// including call `stop`; the GL state is then the state after that call.
// What the chosen calls, `from` to `stop`, draw is tinted if `mark`.
void draw_held(int from, int stop, bool mark) {
  held_from = from;
  held_stop = stop;
  held_marked = mark;
  draw_outside();
  explore_put_back_state(true);
  explore_draw(from, stop, mark);
  draw_display();
  explore_off();
}

// The held frame drawn again from its start for a question of the
// explorer's: not a frame of the program, so nothing counts it.
void draw_again() {
  explore_put_back_state(true);
  display_callback();
  gl_layer_finish();
}

// Draws a frame if one was posted, then lets the program move on.
void frame() {
  if (held) return;
  if (redisplay && display_callback) {
    redisplay = false;
    draw_outside();
    draw_display();
  }
  if (idle_callback && !paused) idle_callback();
}

}  // namespace

extern "C" {

// Whether the page's input reaches the program is decided here alone: none
// while the explorer holds a frame; while paused, keys and the menu still
// do. The page asks before it offers the menu.
EMSCRIPTEN_KEEPALIVE int web_takes_input() { return !held; }

// A key or a menu entry for the program; returns whether it got it, so that
// the page's address and words follow only then. GLUT on the desktop passes
// the pointer's place in the window with a key; both programs ignore it, so
// the page passes none.
EMSCRIPTEN_KEEPALIVE int web_key(int code) {
  if (held || !keyboard_callback) return 0;
  keyboard_callback(static_cast<unsigned char>(code), 0, 0);
  return 1;
}

EMSCRIPTEN_KEEPALIVE int web_menu(int value) {
  if (held || !menu_callback) return 0;
  menu_callback(value);
  return 1;
}

// The canvas's drawing buffer changed size: as a resized window, reshaped
// and drawn again.
EMSCRIPTEN_KEEPALIVE void web_reshape(int width, int height) {
  window_width = width;
  window_height = height;
  if (reshape_callback) {
    reshape_callback(width, height);
  } else {
    glViewport(0, 0, width, height);
  }
  redisplay = true;
  if (held) draw_held(held_from, held_stop, held_marked);
}

// The page's pause: while held, the idle callback is not called, so what
// it moves (the fan, the orbits) stands where it was; keys, menu and frames
// go on.
EMSCRIPTEN_KEEPALIVE void web_pause(int hold) { paused = hold != 0; }

// The explorer: opening runs display once on the program's variables as
// they stand, recording its calls, and holds that frame (no idle callback, no
// redisplay) until it closes; closing puts back the GL state the frame
// ended with. Returns the number of calls.
EMSCRIPTEN_KEEPALIVE int web_explore_open() {
  if (held || !display_callback) return 0;
  held = true;
  explore_keep_state(true);
  explore_record();
  draw_display();
  explore_off();
  explore_keep_state(false);
  return explore_count();
}

EMSCRIPTEN_KEEPALIVE void web_explore_draw(int from, int stop, int mark) {
  if (held) draw_held(from, stop, mark != 0);
}

EMSCRIPTEN_KEEPALIVE void web_explore_close() {
  if (!held) return;
  explore_undo();
  explore_put_back_state(false);
  held = false;
  redisplay = true;
}

EMSCRIPTEN_KEEPALIVE void web_explore_edit(int call, int arg, int item, double value) {
  explore_edit(call, arg, item, value);
}
EMSCRIPTEN_KEEPALIVE void web_explore_undo() { explore_undo(); }
EMSCRIPTEN_KEEPALIVE const char *web_explore_rows() { return explore_rows(); }
EMSCRIPTEN_KEEPALIVE const char *web_explore_state() { return explore_state(); }
EMSCRIPTEN_KEEPALIVE const char *web_explore_state_before() { return explore_state_before(); }
EMSCRIPTEN_KEEPALIVE const char *web_explore_journey() { return explore_journey(); }

// The outside view shown (with the observer's pose, as outside_begin takes
// it, and its picture's size) and drawn at once, or hidden; a held frame is
// drawn again with it.
EMSCRIPTEN_KEEPALIVE void web_outside(int on, double x, double y, double z, double distance,
                                      double yaw, double pitch, int size) {
  outside = on != 0;
  if (outside) {
    const double pose[6] = {x, y, z, distance, yaw, pitch};
    std::copy(pose, pose + 6, observer);
    outside_size = size;
  }
  if (held) {
    draw_held(held_from, held_stop, held_marked);
  } else {
    draw_outside();
  }
}
EMSCRIPTEN_KEEPALIVE const float *web_outside_far_corners() { return outside_far_corners(); }
// The window's size as the program last had it reshaped.
EMSCRIPTEN_KEEPALIVE int web_window_size(int height) {
  return height ? window_height : window_width;
}

// The journey follows this point of a chosen GLUT shape; drawn again.
EMSCRIPTEN_KEEPALIVE void web_explore_follow(double x, double y, double z) {
  explore_follow_point(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
  if (held) draw_held(held_from, held_stop, held_marked);
}

// What made pixel (x, y) of the held frame as it is drawn now (pixel.h);
// the frame is then drawn again as it was.
EMSCRIPTEN_KEEPALIVE const char *web_explore_pixel(int x, int y) {
  if (!held) return "";
  const char *answer = pixel_history(x, y, held_stop, draw_again);
  draw_held(held_from, held_stop, held_marked);
  return answer;
}

// The bound texture's picture after the chosen call: its width and height,
// then its RGBA rows from the bottom up; null where there is none.
EMSCRIPTEN_KEEPALIVE const int *web_explore_texture() {
  static std::vector<unsigned char> picture;
  static std::vector<int> out;
  int width = 0, height = 0;
  if (!gl_layer_bound_texture(&width, &height, &picture)) return nullptr;
  out.assign(2 + picture.size() / 4, 0);
  out[0] = width;
  out[1] = height;
  std::memcpy(out.data() + 2, picture.data(), picture.size());
  return out.data();
}

// Frames drawn so far: what the page's tests wait on and count.
EMSCRIPTEN_KEEPALIVE int web_frames() { return frames; }

// The page wants a frame drawn, and to hear of it at once, to read the
// canvas while it holds the frame.
EMSCRIPTEN_KEEPALIVE void web_wait_for_frame() {
  redisplay = true;
  page_waits = true;
}

}  // extern "C"

void glutInit(int *, char **) {}
void glutInitDisplayMode(unsigned int mode) { depth_buffer = (mode & GLUT_DEPTH) != 0; }

void glutInitWindowSize(int width, int height) {
  window_width = width;
  window_height = height;
}

void glutInitWindowPosition(int, int) {}  // the canvas sits where the page puts it

// Where the canvas cannot be drawn on, the page says why, and the program
// leaves main here for good.
int glutCreateWindow(const char *title) {
  page_open_window(title, window_width);
  const WebglProblem problem = gl_layer_start(depth_buffer);
  if (problem.kind != WebglProblem::kNone) {
    page_cannot_draw(problem.kind == WebglProblem::kNoContext ? "webgl" : "shader",
                     problem.reason.c_str());
    emscripten_exit_with_live_runtime();
  }
  return 1;
}

int glutCreateMenu(void (*callback)(int)) {
  menu_callback = callback;
  return 1;
}

void glutAddMenuEntry(const char *label, int value) { page_add_menu_entry(label, value); }

void glutAttachMenu(int button) {
  if (button == GLUT_RIGHT_BUTTON) page_attach_menu();
}

void glutDisplayFunc(void (*callback)()) { display_callback = callback; }
void glutReshapeFunc(void (*callback)(int, int)) { reshape_callback = callback; }
void glutKeyboardFunc(void (*callback)(unsigned char, int, int)) { keyboard_callback = callback; }
void glutIdleFunc(void (*callback)()) { idle_callback = callback; }
void glutPostRedisplay() {
  EXPLORE_CALL("glutPostRedisplay", false);
  if (!held && !drawing_outside) redisplay = true;
}

// The frame ends in frame(), and then the browser shows the canvas.
void glutSwapBuffers() { EXPLORE_CALL("glutSwapBuffers", false); }

// The page reshapes the window to the canvas's size as it starts listening.
void glutMainLoop() {
  page_listen();
  emscripten_set_main_loop(frame, 0, 1);
}

