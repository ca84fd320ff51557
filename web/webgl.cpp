// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
#include "web/webgl.h"

#include <emscripten.h>
#include <emscripten/html5.h>
#include <webgl/webgl1.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <map>
#include <vector>

namespace {

// The vertex shader passes on what the GL layer computed; the fragment
// shader applies GL_MODULATE where a texture is on.
const char *const kVertexShader = R"(
attribute vec4 clip;
attribute vec4 colour;
attribute vec2 st;
varying vec4 v_colour;
varying vec2 v_st;
void main() {
  gl_Position = clip;
  v_colour = colour;
  v_st = st;
}
)";

const char *const kFragmentShader = R"(
precision highp float;
uniform bool textured;
uniform sampler2D picture;
varying vec4 v_colour;
varying vec2 v_st;
void main() {
  gl_FragColor = textured ? texture2D(picture, v_st) * v_colour : v_colour;
}
)";

GLuint buffer = 0;
GLint textured_uniform = -1;
std::map<unsigned int, GLuint> textures;

GLuint compile(GLenum type, const char *source) {
  const GLuint shader = emscripten_glCreateShader(type);
  emscripten_glShaderSource(shader, 1, &source, nullptr);
  emscripten_glCompileShader(shader);
  GLint ok = 0;
  emscripten_glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (!ok) {
    char log[1024];
    emscripten_glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    std::fprintf(stderr, "shader: %s\n", log);
  }
  return shader;
}

// The page says in words, where the picture would be, that it cannot draw.
EM_JS(void, page_without_webgl, (), { showProblem('webgl'); });

}  // namespace

void webgl_start(bool depth) {
  EmscriptenWebGLContextAttributes attributes;
  emscripten_webgl_init_context_attributes(&attributes);
  attributes.alpha = false;  // the window has no alpha: a clear alpha of 0 is not see-through
  attributes.depth = depth;
  attributes.stencil = false;
  attributes.antialias = false;
  attributes.preserveDrawingBuffer = true;  // the canvas can be read after a frame
  const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context =
      emscripten_webgl_create_context("#canvas", &attributes);
  if (context <= 0) {
    page_without_webgl();
    // Leaves main here for good: nothing can be drawn, and the page says why.
    emscripten_exit_with_live_runtime();
  }
  emscripten_webgl_make_context_current(context);

  const GLuint program = emscripten_glCreateProgram();
  emscripten_glAttachShader(program, compile(GL_VERTEX_SHADER, kVertexShader));
  emscripten_glAttachShader(program, compile(GL_FRAGMENT_SHADER, kFragmentShader));
  emscripten_glBindAttribLocation(program, 0, "clip");
  emscripten_glBindAttribLocation(program, 1, "colour");
  emscripten_glBindAttribLocation(program, 2, "st");
  emscripten_glLinkProgram(program);
  emscripten_glUseProgram(program);
  textured_uniform = emscripten_glGetUniformLocation(program, "textured");
  emscripten_glUniform1i(emscripten_glGetUniformLocation(program, "picture"), 0);

  emscripten_glGenBuffers(1, &buffer);
  emscripten_glBindBuffer(GL_ARRAY_BUFFER, buffer);
  for (GLuint i = 0; i < 3; ++i) emscripten_glEnableVertexAttribArray(i);
  emscripten_glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, sizeof(DrawVertex),
                                   reinterpret_cast<void *>(offsetof(DrawVertex, clip)));
  emscripten_glVertexAttribPointer(1, 4, GL_FLOAT, GL_FALSE, sizeof(DrawVertex),
                                   reinterpret_cast<void *>(offsetof(DrawVertex, colour)));
  emscripten_glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, sizeof(DrawVertex),
                                   reinterpret_cast<void *>(offsetof(DrawVertex, st)));
  // GL's default depth function; WebGL's is the same, said once for clarity.
  emscripten_glDepthFunc(GL_LESS);
}

void webgl_viewport(int x, int y, int width, int height) {
  emscripten_glViewport(x, y, width, height);
}

void webgl_depth_range(float near_value, float far_value) {
  emscripten_glDepthRangef(near_value, far_value);
}

void webgl_depth_test(bool on) {
  if (on) {
    emscripten_glEnable(GL_DEPTH_TEST);
  } else {
    emscripten_glDisable(GL_DEPTH_TEST);
  }
}

void webgl_clear_colour(float r, float g, float b, float a) { emscripten_glClearColor(r, g, b, a); }

void webgl_clear(bool colour, bool depth) {
  emscripten_glClear((colour ? GL_COLOR_BUFFER_BIT : 0) | (depth ? GL_DEPTH_BUFFER_BIT : 0));
}

void webgl_bind_texture(unsigned int name) {
  GLuint &texture = textures[name];
  if (texture == 0) emscripten_glGenTextures(1, &texture);
  emscripten_glBindTexture(GL_TEXTURE_2D, texture);
}

void webgl_texture_parameter(unsigned int parameter, int value) {
  emscripten_glTexParameteri(GL_TEXTURE_2D, parameter, value);
}

void webgl_unpack_alignment(int alignment) {
  emscripten_glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
}

void webgl_texture_image(int level, int width, int height, unsigned int format,
                         const unsigned char *pixels) {
  emscripten_glTexImage2D(GL_TEXTURE_2D, level, format, width, height, 0, format,
                          GL_UNSIGNED_BYTE, pixels);
}

void webgl_draw(bool lines, const DrawVertex *vertices, int count, bool textured) {
  std::vector<DrawVertex> cut;
  const bool in_front = std::all_of(vertices, vertices + count, [](const DrawVertex &v) {
    return v.clip[2] + v.clip[3] >= 0;
  });
  if (!in_front) {
    cut = clip_near({vertices, vertices + count}, lines);
    vertices = cut.data();
    count = static_cast<int>(cut.size());
  }
  if (count == 0) return;
  emscripten_glBufferData(GL_ARRAY_BUFFER, count * sizeof(DrawVertex), vertices, GL_STREAM_DRAW);
  emscripten_glUniform1i(textured_uniform, textured ? 1 : 0);
  emscripten_glDrawArrays(lines ? GL_LINES : GL_TRIANGLES, 0, count);
}
