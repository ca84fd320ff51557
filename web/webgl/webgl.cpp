// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The WebGL layer: its contexts, programs and buffers, and the draws, on the
// page's canvas or on the outside view's.
#include "web/webgl/webgl.h"

#include "web/webgl/context.h"
#include "web/webgl/shader.h"

#include <emscripten/html5.h>
#include <webgl/webgl1.h>
#include <webgl/webgl1_ext.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Uniforms {
  GLint modelview, projection, normals, normalize, textured, look;
  GLint emission, ambient, diffuse, specular, shininess, tracked, scene_ambient, light_count;
  GLint light_ambient, light_diffuse, light_specular, light_position;
  GLint volume;
};

// A program, where its uniforms are, and what they hold now: nothing is
// uploaded twice. `lit` transforms and lights, `plain` transforms only, and
// `passing` takes vertices already in clip space and coloured. The
// explorer's looks have programs of their own, made when first asked for,
// so that a frame drawn as it is pays nothing for them.
struct Program {
  GLuint name;
  Uniforms uniform;
  DrawState uploaded;
  bool any_uploaded;
  Look look;
};
enum Kind { kLit, kPlain, kPassing };
const char *const kVertexShaders[3] = {kVertexShader, kPlainVertexShader, kClipVertexShader};
Look look_now = Look::kDrawn;
float volume_from_eye[16], volume_from_clip[16];

// Where vertices are drawn from: a buffer and, with vertex array objects,
// the attributes' layout in it, so that switching is one call.
struct Source {
  GLuint buffer, layout;
};

// Immediate mode's vertices. With vertex array objects, the n-th draw of a
// frame has a buffer of its own that keeps its vertices, and is uploaded
// again only when they change: a still scene uploads nothing. Without, all
// go through one buffer.
struct Slot {
  Source source;
  std::vector<Vertex> held;
};

// A context's copy of a mesh this side keeps, and which version it holds.
struct Copy {
  Source source;
  unsigned version;
};

// Everything of ours that one WebGL context holds but its textures
// (textures.cpp). WebGL shares nothing between contexts, so each makes its
// own copies of the meshes that this side keeps, the first time it draws
// with them.
struct Context {
  EMSCRIPTEN_WEBGL_CONTEXT_HANDLE handle = 0;
  Program programs[2][3] = {};  // drawn as it is, or in the explorer's looks; by Kind
  GLuint current_program = 0;
  bool have_vertex_arrays = false;
  GLuint bound_buffer = 0;
  GLuint source_now = 0;             // by its buffer
  std::vector<Copy> meshes;          // by handle; buffer 0 where it has none
  std::vector<Slot> slots;
  size_t next_slot = 0;
  Source stream{0, 0};
  // The colour and texture coordinate a mesh's draw gives as constant
  // attributes, as last set; a draw from whole vertices, whose arrays give
  // them, makes them unknown again.
  float constant_colour[4] = {};
  float constant_st[2] = {};
  bool constants_known = false;
  bool refused = false;  // the browser would not make it
};
Context contexts[2];  // by WebglCanvas
Context *now = &contexts[0];

// The state that WebGL keeps and the layer above sets, as last set: put
// into a context again each time it becomes the one drawn to.
float clear_colour[4] = {0, 0, 0, 0};
bool depth_test = false;
float depth_range[2] = {0, 1};

// Each mesh's points and normals, interleaved, by handle; empty once let
// go, its handle then the next mesh's.
struct MeshData {
  std::vector<float> interleaved;
  unsigned version;
};
std::vector<MeshData> mesh_data;
unsigned versions = 0;  // the last given to a mesh

// The browser's reason for refusing a shader or a program, or a word of our
// own where it gives none.
std::string info_log(GLuint object, bool program) {
  GLint length = 0;
  if (program) {
    emscripten_glGetProgramiv(object, GL_INFO_LOG_LENGTH, &length);
  } else {
    emscripten_glGetShaderiv(object, GL_INFO_LOG_LENGTH, &length);
  }
  std::vector<char> log(static_cast<size_t>(std::max(length, 1)), '\0');
  if (program) {
    emscripten_glGetProgramInfoLog(object, length, nullptr, log.data());
  } else {
    emscripten_glGetShaderInfoLog(object, length, nullptr, log.data());
  }
  const std::string reason(log.data());
  if (!reason.empty()) return reason;
  return program ? "the shaders did not link" : "a shader did not compile";
}

// Compiles a shader and attaches it to `program`; the browser's reason if it
// would not compile, or "".
std::string attach(GLuint program, GLenum type, const char *source) {
  const GLuint shader = emscripten_glCreateShader(type);
  emscripten_glShaderSource(shader, 1, &source, nullptr);
  emscripten_glCompileShader(shader);
  GLint ok = 0;
  emscripten_glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (!ok) return info_log(shader, false);
  emscripten_glAttachShader(program, shader);
  return "";
}

// Builds `p` of `vertex_shader` and the page's fragment shader, or with
// `looks` the explorer's, the vertex shader then carrying the looks' inputs
// too (LOOKS defined after its #version line); the browser's reason if it
// would not, or "".
std::string link(const char *vertex_shader, bool looks, Program &p) {
  const GLuint program = emscripten_glCreateProgram();
  std::string source = vertex_shader;
  if (looks) source.insert(source.find('\n') + 1, "#define LOOKS\n");
  std::string failed = attach(program, GL_VERTEX_SHADER, source.c_str());
  if (failed.empty()) {
    failed = attach(program, GL_FRAGMENT_SHADER, looks ? kExplorerFragmentShader : kFragmentShader);
  }
  if (!failed.empty()) return failed;
  for (GLuint a = 0; a < kAttributeCount; ++a) {
    emscripten_glBindAttribLocation(program, a, kAttributeNames[a]);
  }
  emscripten_glLinkProgram(program);
  GLint ok = 0;
  emscripten_glGetProgramiv(program, GL_LINK_STATUS, &ok);
  if (!ok) return info_log(program, true);
  emscripten_glUseProgram(program);
  emscripten_glUniform1i(emscripten_glGetUniformLocation(program, "picture"), 0);
  auto at = [program](const char *name) { return emscripten_glGetUniformLocation(program, name); };
  const Uniforms uniform = {
      at("modelview"),      at("projection"),     at("normals"),       at("normalize_normals"),
      at("textured"),       at("look"),           at("emission"),      at("ambient"),
      at("diffuse"),        at("specular"),       at("shininess"),     at("tracked"),
      at("scene_ambient"),  at("light_count"),    at("light_ambient"), at("light_diffuse"),
      at("light_specular"), at("light_position"), at("volume")};
  now->current_program = program;
  p = {program, uniform, {}, false, Look::kDrawn};
  return "";
}

template <typename T>
bool differs(const Program &p, const T &now, const T &wanted) {
  return !p.any_uploaded || std::memcmp(&now, &wanted, sizeof(T)) != 0;
}

void upload_lighting(const Uniforms &uniform, const LightingUniforms &l) {
  emscripten_glUniform4fv(uniform.emission, 1, l.emission);
  emscripten_glUniform4fv(uniform.ambient, 1, l.ambient);
  emscripten_glUniform4fv(uniform.diffuse, 1, l.diffuse);
  emscripten_glUniform4fv(uniform.specular, 1, l.specular);
  emscripten_glUniform1f(uniform.shininess, l.shininess);
  emscripten_glUniform4iv(uniform.tracked, 1, l.tracked);
  emscripten_glUniform4fv(uniform.scene_ambient, 1, l.scene_ambient);
  emscripten_glUniform1i(uniform.light_count, l.light_count);
  emscripten_glUniform4fv(uniform.light_ambient, kMaxLights, &l.light_ambient[0][0]);
  emscripten_glUniform4fv(uniform.light_diffuse, kMaxLights, &l.light_diffuse[0][0]);
  emscripten_glUniform4fv(uniform.light_specular, kMaxLights, &l.light_specular[0][0]);
  emscripten_glUniform4fv(uniform.light_position, kMaxLights, &l.light_position[0][0]);
}

// The program of `kind` in the look asked for now, with what differs from
// what its uniforms hold uploaded.
void apply(Kind kind, const DrawState &s) {
  Program &explorer = now->programs[1][kind];
  const bool looked =
      look_now != Look::kDrawn &&
      (explorer.name != 0 || link(kVertexShaders[kind], true, explorer).empty());
  Program &p = looked ? explorer : now->programs[0][kind];
  if (p.name != now->current_program) {
    emscripten_glUseProgram(p.name);
    now->current_program = p.name;
  }
  const Uniforms &uniform = p.uniform;
  DrawState &uploaded = p.uploaded;
  if (differs(p, uploaded.modelview, s.modelview)) {
    emscripten_glUniformMatrix4fv(uniform.modelview, 1, GL_FALSE, s.modelview);
  }
  if (differs(p, uploaded.projection, s.projection)) {
    emscripten_glUniformMatrix4fv(uniform.projection, 1, GL_FALSE, s.projection);
  }
  if (differs(p, uploaded.textured, s.textured))
    emscripten_glUniform1i(uniform.textured, s.textured);
  if (looked && p.look != look_now) {
    emscripten_glUniform1i(uniform.look, static_cast<int>(look_now));
    p.look = look_now;
  }
  if (look_now == Look::kOutside) {
    emscripten_glUniformMatrix4fv(uniform.volume, 1, GL_FALSE,
                                  kind == kPassing ? volume_from_clip : volume_from_eye);
  }
  if (s.lighting) {
    if (differs(p, uploaded.normals, s.normals)) {
      float columns[9];  // GL's order
      for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
          columns[column * 3 + row] = s.normals[row * 3 + column];
        }
      }
      emscripten_glUniformMatrix3fv(uniform.normals, 1, GL_FALSE, columns);
    }
    if (differs(p, uploaded.normalize, s.normalize)) {
      emscripten_glUniform1i(uniform.normalize, s.normalize);
    }
    if (differs(p, uploaded.light, s.light)) upload_lighting(uniform, s.light);
  }
  uploaded = s;
  p.any_uploaded = true;
}

void bind_buffer(GLuint buffer) {
  if (buffer == now->bound_buffer) return;
  emscripten_glBindBuffer(GL_ARRAY_BUFFER, buffer);
  now->bound_buffer = buffer;
}

void attribute(GLuint index, int size, GLsizei stride, size_t offset) {
  emscripten_glVertexAttribPointer(index, size, GL_FLOAT, GL_FALSE, stride,
                                   reinterpret_cast<void *>(offset));
}

// Points the attributes into `buffer`: immediate mode's vertices, which
// give every attribute, or a mesh's points and normals, the colour and
// texture coordinate being constant.
void point_attributes(GLuint buffer, bool whole_vertices) {
  bind_buffer(buffer);
  if (whole_vertices) {
    attribute(kPosition, 4, sizeof(Vertex), offsetof(Vertex, position));
    attribute(kNormal, 3, sizeof(Vertex), offsetof(Vertex, normal));
    attribute(kColour, 4, sizeof(Vertex), offsetof(Vertex, colour));
    attribute(kTexCoord, 2, sizeof(Vertex), offsetof(Vertex, st));
    emscripten_glEnableVertexAttribArray(kColour);
    emscripten_glEnableVertexAttribArray(kTexCoord);
  } else {
    attribute(kPosition, 3, 6 * sizeof(float), 0);
    attribute(kNormal, 3, 6 * sizeof(float), 3 * sizeof(float));
    emscripten_glDisableVertexAttribArray(kColour);
    emscripten_glDisableVertexAttribArray(kTexCoord);
  }
  emscripten_glEnableVertexAttribArray(kPosition);
  emscripten_glEnableVertexAttribArray(kNormal);
}

Source new_source(bool whole_vertices) {
  Source s{0, 0};
  emscripten_glGenBuffers(1, &s.buffer);
  if (now->have_vertex_arrays) {
    emscripten_glGenVertexArraysOES(1, &s.layout);
    emscripten_glBindVertexArrayOES(s.layout);
    point_attributes(s.buffer, whole_vertices);
  }
  now->source_now = 0;
  return s;
}

void use_source(const Source &s, bool whole_vertices) {
  if (s.buffer == now->source_now) return;
  now->source_now = s.buffer;
  if (now->have_vertex_arrays) return emscripten_glBindVertexArrayOES(s.layout);
  point_attributes(s.buffer, whole_vertices);
}

// Makes `count` vertices the source of the next draw.
void put_vertices(const Vertex *vertices, int count) {
  Context &c = *now;
  c.constants_known = false;
  if (!c.have_vertex_arrays) {
    use_source(c.stream, true);
    bind_buffer(c.stream.buffer);
    emscripten_glBufferData(GL_ARRAY_BUFFER, count * sizeof(Vertex), vertices, GL_STREAM_DRAW);
    return;
  }
  if (c.next_slot == c.slots.size()) c.slots.push_back({new_source(true), {}});
  Slot &slot = c.slots[c.next_slot++];
  use_source(slot.source, true);
  const size_t size = count * sizeof(Vertex);
  if (slot.held.size() == static_cast<size_t>(count) &&
      std::memcmp(slot.held.data(), vertices, size) == 0) {
    return;
  }
  bind_buffer(slot.source.buffer);
  emscripten_glBufferData(GL_ARRAY_BUFFER, size, vertices, GL_DYNAMIC_DRAW);
  slot.held.assign(vertices, vertices + count);
}

void make_current(Context &c) {
  now = &c;
  emscripten_webgl_make_context_current(c.handle);
}

// Makes a context on the canvas `selector`, with its programs; it is then
// the one drawn to.
WebglProblem start(Context &c, const char *selector, bool depth, bool preserve) {
  EmscriptenWebGLContextAttributes attributes;
  emscripten_webgl_init_context_attributes(&attributes);
  attributes.alpha = false;  // the window has no alpha: a clear alpha of 0 is not see-through
  attributes.depth = depth;
  attributes.stencil = false;
  attributes.antialias = false;
  attributes.preserveDrawingBuffer = preserve;
  c.handle = emscripten_webgl_create_context(selector, &attributes);
  if (c.handle <= 0) return {WebglProblem::kNoContext, ""};
  make_current(c);
  c.have_vertex_arrays = emscripten_webgl_enable_extension(c.handle, "OES_vertex_array_object");
  for (int kind : {kPassing, kPlain, kLit}) {
    const std::string failed = link(kVertexShaders[kind], false, c.programs[0][kind]);
    if (!failed.empty()) return {WebglProblem::kShader, failed};
  }
  if (!c.have_vertex_arrays) c.stream = new_source(true);
  // GL's default depth function; WebGL's is the same, said once for clarity.
  emscripten_glDepthFunc(GL_LESS);
  return {WebglProblem::kNone, ""};
}
bool with_depth = false;  // as the page's context was made

// The mesh's buffer in the context drawn to, made and filled where it has
// fallen behind.
const Source &mesh_source(int mesh) {
  std::vector<Copy> &copies = now->meshes;
  if (copies.size() < mesh_data.size()) copies.resize(mesh_data.size(), {{0, 0}, 0});
  Copy &copy = copies[mesh];
  const MeshData &data = mesh_data[mesh];
  if (copy.version != data.version) {
    if (copy.source.buffer == 0) copy.source = new_source(false);
    bind_buffer(copy.source.buffer);
    emscripten_glBufferData(GL_ARRAY_BUFFER, data.interleaved.size() * sizeof(float),
                            data.interleaved.data(), GL_STATIC_DRAW);
    copy.version = data.version;
  }
  return copy.source;
}

}  // namespace

WebglProblem webgl_start(bool depth) {
  with_depth = depth;
  return start(contexts[0], "#canvas", depth, false);
}

bool webgl_draw_to(WebglCanvas canvas) {
  Context &c = contexts[static_cast<int>(canvas)];
  if (c.refused) return false;
  if (c.handle <= 0) {
    // Kept as drawn, for the page to read back at any time: it is drawn
    // only as often as the program's picture, and small.
    if (start(c, "#outside", with_depth, true).kind != WebglProblem::kNone) {
      c.refused = true;
      make_current(contexts[0]);
      return false;
    }
  }
  make_current(c);
  c.next_slot = 0;
  emscripten_glClearColor(clear_colour[0], clear_colour[1], clear_colour[2], clear_colour[3]);
  webgl_depth_test(depth_test);
  emscripten_glDepthRangef(depth_range[0], depth_range[1]);
  textures_follow();
  return true;
}

void webgl_viewport(int x, int y, int width, int height) {
  emscripten_glViewport(x, y, width, height);
}

void webgl_depth_range(float near_value, float far_value) {
  depth_range[0] = near_value;
  depth_range[1] = far_value;
  emscripten_glDepthRangef(near_value, far_value);
}

void webgl_depth_test(bool on) {
  depth_test = on;
  if (on) {
    emscripten_glEnable(GL_DEPTH_TEST);
  } else {
    emscripten_glDisable(GL_DEPTH_TEST);
  }
}

void webgl_clear_colour(float r, float g, float b, float a) {
  clear_colour[0] = r;
  clear_colour[1] = g;
  clear_colour[2] = b;
  clear_colour[3] = a;
  emscripten_glClearColor(r, g, b, a);
}

void webgl_clear(bool colour, bool depth) {
  emscripten_glClear((colour ? GL_COLOR_BUFFER_BIT : 0) | (depth ? GL_DEPTH_BUFFER_BIT : 0));
}

void webgl_draw(bool lines, const DrawState &state, const Vertex *vertices, int count) {
  if (count == 0) return;
  apply(state.lighting ? kLit : kPlain, state);
  put_vertices(vertices, count);
  emscripten_glDrawArrays(lines ? GL_LINES : GL_TRIANGLES, 0, count);
}

void webgl_draw_clipped(bool lines, bool textured, const Vertex *vertices, int count) {
  if (count == 0) return;
  DrawState state{};
  state.textured = textured;
  apply(kPassing, state);
  put_vertices(vertices, count);
  emscripten_glDrawArrays(lines ? GL_LINES : GL_TRIANGLES, 0, count);
}

int webgl_mesh(const float *xyz, const float *normals, int count) {
  std::vector<float> interleaved;
  interleaved.reserve(static_cast<size_t>(count) * 6);
  for (int i = 0; i < count; ++i) {
    interleaved.insert(interleaved.end(), xyz + i * 3, xyz + i * 3 + 3);
    interleaved.insert(interleaved.end(), normals + i * 3, normals + i * 3 + 3);
  }
  int mesh = 0;
  while (mesh < static_cast<int>(mesh_data.size()) && mesh_data[mesh].version != 0) ++mesh;
  if (mesh == static_cast<int>(mesh_data.size())) mesh_data.emplace_back();
  mesh_data[mesh] = {std::move(interleaved), ++versions};
  return mesh;
}

// Let go in every context that has it. WebGL unbinds what it deletes, so
// neither stays the one known bound.
void webgl_drop_mesh(int mesh) {
  Context &drawing = *now;
  for (Context &c : contexts) {
    if (c.meshes.size() <= static_cast<size_t>(mesh) || c.meshes[mesh].source.buffer == 0) continue;
    make_current(c);
    Source &s = c.meshes[mesh].source;
    if (c.source_now == s.buffer) c.source_now = 0;
    if (c.bound_buffer == s.buffer) c.bound_buffer = 0;
    if (c.have_vertex_arrays) emscripten_glDeleteVertexArraysOES(1, &s.layout);
    emscripten_glDeleteBuffers(1, &s.buffer);
    c.meshes[mesh] = {{0, 0}, 0};
  }
  make_current(drawing);
  mesh_data[mesh] = {{}, 0};
}

void webgl_end_frame() { now->next_slot = 0; }

void webgl_look(Look look) { look_now = look; }

void webgl_volume(const float from_eye[16], const float from_clip[16]) {
  std::memcpy(volume_from_eye, from_eye, sizeof volume_from_eye);
  std::memcpy(volume_from_clip, from_clip, sizeof volume_from_clip);
}

void webgl_probe(int x, int y, bool any_depth) {
  emscripten_glEnable(GL_SCISSOR_TEST);
  emscripten_glScissor(x, y, 1, 1);
  emscripten_glDepthFunc(any_depth ? GL_ALWAYS : GL_LESS);
  emscripten_glDepthMask(!any_depth);
}

void webgl_probe_off() {
  emscripten_glDisable(GL_SCISSOR_TEST);
  emscripten_glDepthFunc(GL_LESS);
  emscripten_glDepthMask(GL_TRUE);
}

void webgl_blank() {
  emscripten_glClearColor(0, 0, 0, 1);
  emscripten_glClear(GL_COLOR_BUFFER_BIT);
  emscripten_glClearColor(clear_colour[0], clear_colour[1], clear_colour[2], clear_colour[3]);
}

void webgl_read_pixel(int x, int y, unsigned char rgba[4]) {
  emscripten_glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
}

void webgl_draw_mesh(bool lines, const DrawState &state, int mesh, int count, const float colour[4],
                     const float st[2]) {
  Context &c = *now;
  apply(state.lighting ? kLit : kPlain, state);
  use_source(mesh_source(mesh), false);
  if (!c.constants_known || std::memcmp(c.constant_colour, colour, sizeof c.constant_colour) != 0) {
    emscripten_glVertexAttrib4fv(kColour, colour);
    std::memcpy(c.constant_colour, colour, sizeof c.constant_colour);
  }
  if (!c.constants_known || std::memcmp(c.constant_st, st, sizeof c.constant_st) != 0) {
    emscripten_glVertexAttrib2fv(kTexCoord, st);
    std::memcpy(c.constant_st, st, sizeof c.constant_st);
  }
  c.constants_known = true;
  emscripten_glDrawArrays(lines ? GL_LINES : GL_TRIANGLES, 0, count);
}

int context_now() { return static_cast<int>(now - contexts); }
