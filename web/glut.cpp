// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The GLUT calls the viewers make, on the page: the window is the canvas
// (its title the page's, its size the canvas's in device pixels), the
// right-button menu a list on the page, keys the page's key presses and
// on-screen controls, and the loop the browser's animation frames, each of
// which calls the idle callback and redraws if a redisplay was posted.
#include "web/gl_layer.h"
#include "web/webgl.h"

#include <GL/glut.h>
#include <emscripten.h>

#include <algorithm>
#include <cmath>
#include <utility>
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
int mouse_x = 0, mouse_y = 0;
int frames = 0;

// The page's side of each of these is in page.js.
EM_JS(void, page_open_window, (const char *title, int width), {
  pageOpenWindow(UTF8ToString(title), width);
});
EM_JS(void, page_listen, (), { pageListen(); });
EM_JS(void, page_add_menu_entry, (const char *label, int value), {
  pageAddMenuEntry(UTF8ToString(label), value);
});
EM_JS(void, page_attach_menu, (), { pageAttachMenu(); });

void frame() {
  if (redisplay && display_callback) {
    redisplay = false;
    display_callback();
    gl_layer_finish();
    ++frames;
  }
  if (idle_callback) idle_callback();
}

// A point of a unit sphere: stack i of `stacks` from the +z pole, slice j of
// `slices` turning from +x towards -y.
void sphere_point(int i, int stacks, int j, int slices, float out[3]) {
  const double down = M_PI * i / stacks, round = -2 * M_PI * j / slices;
  out[0] = static_cast<float>(std::sin(down) * std::cos(round));
  out[1] = static_cast<float>(std::sin(down) * std::sin(round));
  out[2] = static_cast<float>(std::cos(down));
}

// A unit sphere's points in drawing order, which are also its normals.
std::vector<float> sphere_normals(bool wire, int slices, int stacks) {
  std::vector<float> normals;
  auto add = [&](int i, int j) {
    float n[3];
    sphere_point(i, stacks, j, slices, n);
    normals.insert(normals.end(), n, n + 3);
  };
  if (wire) {
    // Each slice from pole to pole, then a closed ring at each stack between.
    for (int j = 0; j < slices; ++j) {
      for (int i = 0; i < stacks; ++i) {
        add(i, j);
        add(i + 1, j);
      }
    }
    for (int i = 1; i < stacks; ++i) {
      for (int j = 0; j < slices; ++j) {
        add(i, j);
        add(i, j + 1);
      }
    }
    return normals;
  }
  // Triangles from the +z pole down: a fan round each pole, two triangles a
  // slice between neighbouring stacks.
  for (int j = 0; j < slices; ++j) {
    add(1, j);
    add(0, j);
    add(1, j + 1);
  }
  for (int i = 1; i + 1 < stacks; ++i) {
    for (int j = 0; j < slices; ++j) {
      add(i + 1, j);
      add(i, j);
      add(i + 1, j + 1);
      add(i + 1, j + 1);
      add(i, j);
      add(i, j + 1);
    }
  }
  for (int j = 0; j < slices; ++j) {
    add(stacks, j);
    add(stacks - 1, j);
    add(stacks - 1, j + 1);
  }
  return normals;
}

// Six faces, each two triangles of its corners in turn: +z, +x, +y, -x, -y, -z.
void cube(double size, std::vector<float> &xyz, std::vector<float> &normals) {
  static const float kCorners[6][4][3] = {
      {{1, 1, 1}, {-1, 1, 1}, {-1, -1, 1}, {1, -1, 1}},
      {{1, 1, 1}, {1, -1, 1}, {1, -1, -1}, {1, 1, -1}},
      {{1, 1, 1}, {1, 1, -1}, {-1, 1, -1}, {-1, 1, 1}},
      {{-1, 1, 1}, {-1, 1, -1}, {-1, -1, -1}, {-1, -1, 1}},
      {{-1, -1, -1}, {1, -1, -1}, {1, -1, 1}, {-1, -1, 1}},
      {{1, -1, -1}, {-1, -1, -1}, {-1, 1, -1}, {1, 1, -1}},
  };
  static const float kNormals[6][3] = {{0, 0, 1},  {1, 0, 0},  {0, 1, 0},
                                       {-1, 0, 0}, {0, -1, 0}, {0, 0, -1}};
  const float half = static_cast<float>(size / 2);
  for (int face = 0; face < 6; ++face) {
    for (int k : {0, 1, 2, 0, 2, 3}) {
      for (int c = 0; c < 3; ++c) {
        xyz.push_back(kCorners[face][k][c] * half);
        normals.push_back(kNormals[face][c]);
      }
    }
  }
}

// Each shape is built once for its size and tessellation, since a viewer
// draws the same ones every frame.
enum class Kind { kSolidCube, kSolidSphere, kWireSphere };

struct Built {
  Kind kind;
  double size;
  int slices, stacks;
  Shape shape;
};

const Shape &shape(Kind kind, double size, int slices, int stacks) {
  static std::vector<Built> built;
  for (const Built &b : built) {
    if (b.kind == kind && b.size == size && b.slices == slices && b.stacks == stacks) return b.shape;
  }
  Shape s{kind == Kind::kWireSphere, {}, {}, 0, 0};
  if (kind == Kind::kSolidCube) {
    cube(size, s.xyz, s.normals);
  } else {
    s.normals = sphere_normals(kind == Kind::kWireSphere, slices, stacks);
    for (const float n : s.normals) s.xyz.push_back(static_cast<float>(n * size));
  }
  for (size_t i = 0; i + 2 < s.xyz.size(); i += 3) {
    const float *p = &s.xyz[i];
    s.radius = std::max(s.radius, std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]) * 1.001f);
  }
  s.mesh = webgl_mesh(s.xyz.data(), s.normals.data(), static_cast<int>(s.xyz.size() / 3));
  built.push_back({kind, size, slices, stacks, std::move(s)});
  return built.back().shape;
}

void draw_sphere(bool wire, double radius, int slices, int stacks) {
  if (slices < 2 || stacks < 2) return;
  draw_shape(shape(wire ? Kind::kWireSphere : Kind::kSolidSphere, radius, slices, stacks));
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void web_key(int code) {
  if (keyboard_callback) keyboard_callback(static_cast<unsigned char>(code), mouse_x, mouse_y);
}

EMSCRIPTEN_KEEPALIVE void web_menu(int value) {
  if (menu_callback) menu_callback(value);
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
}

EMSCRIPTEN_KEEPALIVE void web_mouse(int x, int y) {
  mouse_x = x;
  mouse_y = y;
}

// Frames drawn so far: what the page's tests wait on and count.
EMSCRIPTEN_KEEPALIVE int web_frames() { return frames; }

}  // extern "C"

void glutInit(int *, char **) {}
void glutInitDisplayMode(unsigned int mode) { depth_buffer = (mode & GLUT_DEPTH) != 0; }

void glutInitWindowSize(int width, int height) {
  window_width = width;
  window_height = height;
}

void glutInitWindowPosition(int, int) {}  // the canvas sits where the page puts it

int glutCreateWindow(const char *title) {
  page_open_window(title, window_width);
  gl_layer_start(depth_buffer);
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
void glutPostRedisplay() { redisplay = true; }
void glutSwapBuffers() { gl_layer_finish(); }  // the browser shows the canvas when the frame ends

// The page reshapes the window to the canvas's size as it starts listening.
void glutMainLoop() {
  page_listen();
  emscripten_set_main_loop(frame, 0, 1);
}

// ---- shapes, with the size and tessellation of the desktop's --------------

void glutSolidCube(double size) { draw_shape(shape(Kind::kSolidCube, size, 0, 0)); }

// Points of a sphere about the z axis, from the +z pole down; each point's
// normal points outwards.
void glutSolidSphere(double radius, int slices, int stacks) { draw_sphere(false, radius, slices, stacks); }
void glutWireSphere(double radius, int slices, int stacks) { draw_sphere(true, radius, slices, stacks); }
