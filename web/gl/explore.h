// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// One frame of the program's own calls, for the page's explorer.
//
// Every GL, GLU and GLUT entry point that a frame's display calls opens an
// ExploreCall first (EXPLORE_CALL). Some that only main, init and reshape
// call open none: the texture upload (glGetIntegerv, glPixelStorei,
// glTexParameteri, glTexImage2D, gluBuild2DMipmaps), the viewport and
// projection (glViewport, glDepthRange, glFrustum) and GLUT's window, menu,
// callback and loop set-up; nor does glMultMatrixf, which only gluLookAt
// calls. init's lighting and material calls open one all the same.
//
// While a frame is recorded, each call that opens one appends a row: its
// name, its arguments as passed, and the routines on the stack that called
// it. While a held frame is drawn again, an edited argument takes its new
// value and every call after the stopping point is dropped. The routines are
// display and those it called down to the entry point (routines.h). A call
// made inside another entry point (the GL of a GLU or GLUT call,
// glVertex3fv's glVertex3f) is the outer one's, never a row. Nothing is recorded, and
// nothing costs but a test, while the explorer is closed.
#ifndef WEB_GL_EXPLORE_H
#define WEB_GL_EXPLORE_H

#include "web/gl/call_text.h"

#include <GL/gl.h>

#include <initializer_list>

// An argument of an entry point, by reference so that an edit can change it.
enum class ArgStore { kFloat, kDouble, kInt, kUint, kFloats };
struct ExploreArg {
  ArgKind kind;
  ArgStore store;
  void *value;
  int count;  // floats in an array
};
inline ExploreArg explore_arg(GLfloat &v) { return {ArgKind::kFloat, ArgStore::kFloat, &v, 1}; }
inline ExploreArg explore_arg(GLdouble &v) { return {ArgKind::kDouble, ArgStore::kDouble, &v, 1}; }
inline ExploreArg explore_arg(GLint &v) { return {ArgKind::kInt, ArgStore::kInt, &v, 1}; }
inline ExploreArg explore_enum(GLenum &v) { return {ArgKind::kEnum, ArgStore::kUint, &v, 1}; }
inline ExploreArg explore_enum(GLint &v) { return {ArgKind::kEnum, ArgStore::kInt, &v, 1}; }
inline ExploreArg explore_bits(GLbitfield &v) { return {ArgKind::kBits, ArgStore::kUint, &v, 1}; }
inline ExploreArg explore_name(GLuint &v) { return {ArgKind::kInt, ArgStore::kUint, &v, 1}; }
// An array by its pointer, so that an edited call reads an edited copy.
inline ExploreArg explore_floats(const GLfloat *&v, int n) {
  return {ArgKind::kFloats, ArgStore::kFloats, &v, n};
}

class ExploreCall {
 public:
  // `draws`: the call puts something on the picture (glEnd, a GLUT shape).
  template <typename... Args>
  ExploreCall(const char *name, bool draws, Args... args) {
    open(name, draws, {args...});
  }
  ~ExploreCall();
  ExploreCall(const ExploreCall &) = delete;
  ExploreCall &operator=(const ExploreCall &) = delete;
  bool carried_out() const { return run_; }

 private:
  void open(const char *name, bool draws, std::initializer_list<ExploreArg> args);
  bool run_ = true;
  bool counted_ = false;
  int watched_ = -1;  // the call's index, where it draws and is watched
};

// Opens an entry point (its name, whether it draws, its arguments): a call
// dropped after the stopping point returns at once.
#define EXPLORE_CALL(...)                       \
  const ExploreCall explore_call_(__VA_ARGS__); \
  if (!explore_call_.carried_out()) return

// The explorer's side, for GLUT: the next display's calls are recorded, or
// drawn again up to and including call `stop` (from 0), or neither.
void explore_record();
// Drawn again, GL's state as call `from` finds it is kept for
// explore_state_before, and with `mark` what the calls from `from` to
// `stop` draw is tinted.
void explore_draw(int from, int stop, bool mark);
void explore_off();
int explore_count();
// A held frame is drawn again now: what it asks for that the recording did
// not comes of an edit.
bool explore_redrawing();
// Argument `arg` of call `call` (its item `item`, of an array) takes `value`
// in every later drawing, brought within what the argument takes (a NaN is
// no edit); undo drops every edit, and calls `callback`, which lets go what
// the edits made.
void explore_edit(int call, int arg, int item, double value);
void explore_undo();
void explore_when_undone(void (*callback)());
// The recorded rows as JSON: [{"text", "name", "routines": [...], "draws",
// "args": [{"kind", "value", and for a number what it takes: "least",
// "most", "type" ("an int") and "per" ("slices", where the page's limit is
// less than the type's)}]}]; GL's state now, as JSON (state.h).
const char *explore_rows();
const char *explore_state();
const char *explore_state_before();
// While a held frame is drawn again, `before` and `after` are called round
// each call that draws, with its index; what it batched is drawn before
// `after`. Null for neither.
void explore_watch(void (*before)(int call), void (*after)(int call));
// A recorded row's name, and a number argument as recorded.
const char *explore_row_name(int call);
double explore_row_arg(int call, int arg);
// The chosen call's vertex followed through GL as the held frame was last
// drawn (journey.h), or "" where it is no glVertex or GLUT shape; a shape's
// point is the one given here, in its own coordinates (at first its origin).
const char *explore_journey();
void explore_follow_point(float x, float y, float z);
// GL's whole state, kept and put back: a held frame is drawn from the state
// it began with, and closing gives back the state it ended with.
void explore_keep_state(bool at_start);
void explore_put_back_state(bool at_start);

#endif
