// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// A call log of the real desktop programs, preloaded into them: each GL, GLU
// and GLUT call the program makes in display is written as C source (the
// explorer's own text, web/gl/call_text.cpp), and the GL that GLU and GLUT
// do inside is theirs, not a row. After each frame (display ends with
// glutPostRedisplay) the file named by VIEWER_CALL_LOG holds that frame.
//
//   VIEWER_CALL_LOG=frame.txt LD_PRELOAD=build/tools/libcalllog.so build/bin/roomtour
#include "web/gl/call_text.h"

#include <GL/gl.h>
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

int depth = 0;
std::string frame;

CallArg number(ArgKind kind, double value) { return {kind, value, {}}; }
CallArg floats(const GLfloat *v, int n) {
  return {ArgKind::kFloats, 0, std::vector<float>(v, v + n)};
}

// Logs the outermost call; the real function runs inside its lifetime.
struct Logged {
  Logged(const char *name, const std::vector<CallArg> &args) {
    if (depth++ == 0) frame += call_text(name, args) + "\n";
  }
  ~Logged() { --depth; }
};

void end_frame() {
  const char *path = std::getenv("VIEWER_CALL_LOG");
  if (path && depth == 1) {
    const std::string part = std::string(path) + ".part";
    if (std::FILE *f = std::fopen(part.c_str(), "w")) {
      std::fputs(frame.c_str(), f);
      if (std::fclose(f) == 0) std::rename(part.c_str(), path);
    }
  }
  if (depth == 1) frame.clear();
}

template <typename F>
F real(const char *name) {
  return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

}  // namespace

// Each wrapper: the function's name, its parameters, and the log's view of
// them (WRAP0: a function of none).
#define WRAP(name, params, args, ...)                     \
  extern "C" void name params {                           \
    static const auto next = real<void(*) params>(#name); \
    const Logged logged(#name, {__VA_ARGS__});            \
    next args;                                            \
  }
#define WRAP0(name)                                   \
  extern "C" void name() {                            \
    static const auto next = real<void (*)()>(#name); \
    const Logged logged(#name, {});                   \
    next();                                           \
  }
#define F(v) number(ArgKind::kFloat, v)
#define D(v) number(ArgKind::kDouble, v)
#define I(v) number(ArgKind::kInt, v)
#define E(v) number(ArgKind::kEnum, v)

WRAP(glClear, (GLbitfield m), (m), number(ArgKind::kBits, m))
WRAP0(glLoadIdentity)
WRAP(glEnable, (GLenum c), (c), E(c))
WRAP(glDisable, (GLenum c), (c), E(c))
WRAP0(glPushMatrix)
WRAP0(glPopMatrix)
WRAP0(glFlush)
WRAP(glColor3f, (GLfloat r, GLfloat g, GLfloat b), (r, g, b), F(r), F(g), F(b))
WRAP(glTranslatef, (GLfloat x, GLfloat y, GLfloat z), (x, y, z), F(x), F(y), F(z))
WRAP(glScalef, (GLfloat x, GLfloat y, GLfloat z), (x, y, z), F(x), F(y), F(z))
WRAP(glRotatef, (GLfloat a, GLfloat x, GLfloat y, GLfloat z), (a, x, y, z), F(a), F(x), F(y), F(z))
WRAP(glBegin, (GLenum m), (m), E(m))
WRAP0(glEnd)
WRAP(glVertex3f, (GLfloat x, GLfloat y, GLfloat z), (x, y, z), F(x), F(y), F(z))
WRAP(glVertex3fv, (const GLfloat *v), (v), floats(v, 3))
WRAP(glTexCoord2fv, (const GLfloat *v), (v), floats(v, 2))
WRAP(glBindTexture, (GLenum t, GLuint n), (t, n), E(t), I(n))
WRAP(glTexEnvi, (GLenum t, GLenum p, GLint v), (t, p, v), E(t), E(p), E(v))
WRAP(gluLookAt,
     (GLdouble ex, GLdouble ey, GLdouble ez, GLdouble cx, GLdouble cy, GLdouble cz, GLdouble ux,
      GLdouble uy, GLdouble uz),
     (ex, ey, ez, cx, cy, cz, ux, uy, uz), D(ex), D(ey), D(ez), D(cx), D(cy), D(cz), D(ux), D(uy),
     D(uz))
WRAP(glutSolidCube, (double s), (s), D(s))
WRAP(glutSolidSphere, (double r, GLint a, GLint b), (r, a, b), D(r), I(a), I(b))
WRAP(glutWireSphere, (double r, GLint a, GLint b), (r, a, b), D(r), I(a), I(b))
WRAP0(glutSwapBuffers)

extern "C" void glutPostRedisplay() {
  static const auto next = real<void (*)()>("glutPostRedisplay");
  const Logged logged("glutPostRedisplay", {});
  next();
  end_frame();
}
