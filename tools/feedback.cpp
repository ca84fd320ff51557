// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The real desktop programs' vertices as their own GL places them, preloaded
// into them: after each frame the program's display runs once more in GL's
// feedback mode (GL_3D_COLOR), with no swap and no further redisplay asked
// for, and the file named by VIEWER_FEEDBACK holds what GL returned. Each
// item is a line, "polygon N" (N vertices follow), "line" or "line-reset"
// (2), "point", "bitmap", "draw-pixel" or "copy-pixel" (1), or
// "pass-through VALUE" (none), and each vertex a line "x y z r g b a": x, y
// in window pixels from the bottom left, z the depth in 0..1, the colour lit.
//
//   VIEWER_FEEDBACK=frame.txt LD_PRELOAD=build/tools/libfeedback.so build/bin/roomtour
#include <GL/gl.h>
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void (*program_display)() = nullptr;
bool again = false;  // inside the feedback pass
std::vector<GLfloat> buffer(1 << 16);

template <typename F>
F real(const char *name) {
  return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

// Runs the program's display in feedback mode; the number of values GL
// wrote. A buffer too small is doubled and the frame drawn again.
GLint feedback_pass() {
  for (;;) {
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
    glRenderMode(GL_FEEDBACK);
    again = true;
    program_display();
    again = false;
    const GLint count = glRenderMode(GL_RENDER);
    if (count >= 0) return count;
    buffer.resize(buffer.size() * 2);
  }
}

void write_frame(const char *path, GLint count) {
  const std::string part = std::string(path) + ".part";
  std::FILE *f = std::fopen(part.c_str(), "w");
  if (!f) return;
  const GLfloat *p = buffer.data(), *end = p + count;
  // A vertex is 7 values: x y z, then r g b a.
  auto item = [&](const char *name, int n) {
    std::fprintf(f, "%s\n", name);
    for (; n > 0 && end - p >= 7; --n, p += 7) {
      std::fprintf(f, "%.9g %.9g %.9g %.9g %.9g %.9g %.9g\n", p[0], p[1], p[2], p[3], p[4], p[5],
                   p[6]);
    }
  };
  while (p < end) {
    switch (static_cast<GLint>(*p++)) {
      case GL_POLYGON_TOKEN: {
        const int n = p < end ? static_cast<int>(*p++) : 0;
        item(("polygon " + std::to_string(n)).c_str(), n);
        break;
      }
      case GL_LINE_TOKEN: item("line", 2); break;
      case GL_LINE_RESET_TOKEN: item("line-reset", 2); break;
      case GL_POINT_TOKEN: item("point", 1); break;
      case GL_BITMAP_TOKEN: item("bitmap", 1); break;
      case GL_DRAW_PIXEL_TOKEN: item("draw-pixel", 1); break;
      case GL_COPY_PIXEL_TOKEN: item("copy-pixel", 1); break;
      case GL_PASS_THROUGH_TOKEN:
        if (p < end) std::fprintf(f, "pass-through %.9g\n", *p++);
        break;
      default: p = end; break;  // not a token: the rest cannot be read
    }
  }
  if (std::fclose(f) == 0) std::rename(part.c_str(), path);
}

void display() {
  program_display();
  if (const char *path = std::getenv("VIEWER_FEEDBACK")) write_frame(path, feedback_pass());
}

}  // namespace

extern "C" void glutDisplayFunc(void (*callback)()) {
  static const auto next = real<void (*)(void (*)())>("glutDisplayFunc");
  program_display = callback;
  next(callback ? display : nullptr);
}

extern "C" void glutSwapBuffers() {
  static const auto next = real<void (*)()>("glutSwapBuffers");
  if (!again) next();
}

extern "C" void glutPostRedisplay() {
  static const auto next = real<void (*)()>("glutPostRedisplay");
  if (!again) next();
}
