// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The little the GL layer asks of WebGL: a context on the page's canvas, the
// state WebGL keeps itself (viewport, depth, clear, textures), and drawing:
// vertices in object space, transformed and lit by the shader with GL's
// state as uniforms, from a stream or from a mesh's buffer built once.
// It calls nothing above it: what goes wrong as it starts, it returns.
#ifndef WEB_WEBGL_WEBGL_H
#define WEB_WEBGL_WEBGL_H

#include <string>
#include <vector>

// The most lights drawn at once, GL 1.1's eight: the shader's arrays are
// this long, and so are the GL layer's tables of lights.
#define WEB_MAX_LIGHTS 8
constexpr int kMaxLights = WEB_MAX_LIGHTS;

// A vertex as the shader takes it: the position in object space (or in clip
// space, with identity matrices), the normal, colour and texture coordinate.
struct Vertex {
  float position[4];
  float normal[3];
  float colour[4];
  float st[2];
};

// Lighting as the shader takes it; a term tracked from the vertex colour is
// left 0 here, so that a new colour does not count as a change.
struct LightingUniforms {
  float emission[4], ambient[4], diffuse[4], specular[4];
  float shininess;
  int tracked[4];  // emission, ambient, diffuse, specular
  float scene_ambient[4];
  int light_count;
  float light_ambient[kMaxLights][4], light_diffuse[kMaxLights][4];
  float light_specular[kMaxLights][4], light_position[kMaxLights][4];
};

// GL's state for a draw. Only 4-byte members, so that it compares bytewise.
struct DrawState {
  float modelview[16], projection[16];  // column by column, as GL keeps them
  float normals[9];  // row by row, as normal_matrix gives it
  int lighting, normalize, textured;
  LightingUniforms light;
};

// What kept WebGL from starting: nothing, no WebGL context on the canvas, or
// a shader the browser would not compile or link, with its reason (the info
// log). The layers above put it into words.
struct WebglProblem {
  enum Kind { kNone, kNoContext, kShader } kind;
  std::string reason;
};

// Creates the WebGL context on #canvas, with a depth buffer if asked, and
// the shaders' programs.
WebglProblem webgl_start(bool depth);

// Which canvas the draws go to from now on: the page's, or the outside
// view's (#outside), whose context is made the first time, kept as drawn.
// False, the page's canvas still drawn to, where the browser would not
// make it. The state below (but the viewport) goes with the switch; the
// meshes and textures are made again there as first drawn.
enum class WebglCanvas { kPicture, kOutside };
bool webgl_draw_to(WebglCanvas canvas);

void webgl_viewport(int x, int y, int width, int height);
void webgl_depth_range(float near_value, float far_value);
void webgl_depth_test(bool on);
void webgl_clear_colour(float r, float g, float b, float a);
void webgl_clear(bool colour, bool depth);

// Texture objects under the caller's names, 0 included: each name gets a
// WebGL texture of its own the first time it is given a parameter or an
// image (binding a name alone makes none, as it draws nothing).
void webgl_bind_texture(unsigned int name);
void webgl_texture_parameter(unsigned int parameter, int value);
void webgl_unpack_alignment(int alignment);
// One level of the bound texture from tightly packed bytes of `format`
// (GL_RGB, GL_RGBA, GL_LUMINANCE).
void webgl_texture_image(int level, int width, int height, unsigned int format,
                         const unsigned char *pixels);
// The first level of the texture under `name`, as RGBA rows from the bottom
// up, from the bytes it was given; false where it has none.
bool webgl_read_texture(unsigned int name, int *width, int *height, std::vector<unsigned char> *rgba);

// Triangles (every three vertices) or lines (every two) under `state`,
// textured with the bound texture, modulated by the colour, when it says so.
void webgl_draw(bool lines, const DrawState &state, const Vertex *vertices, int count);

// Triangles or lines already in clip space and coloured (the normal unused).
void webgl_draw_clipped(bool lines, bool textured, const Vertex *vertices, int count);

// A buffer of `count` points and their normals, kept until dropped;
// returns its handle, which a dropped mesh's may be.
int webgl_mesh(const float *xyz, const float *normals, int count);
void webgl_drop_mesh(int mesh);
// A mesh's triangles or lines, in one colour and at one texture coordinate.
void webgl_draw_mesh(bool lines, const DrawState &state, int mesh, int count, const float colour[4],
                     const float st[2]);

// The frame is complete: immediate mode's next draw is the next frame's first.
void webgl_end_frame();

// How every draw from now on looks, for the explorer: as it is drawn; tinted
// (the mark of what the chosen call drew); white (where a fragment got to);
// the texture's value alone; the interpolated colour alone.
// Or seen from outside: what lies outside the program's view volume dimmed;
// `from_eye` takes eye coordinates to the program's clip coordinates (its
// projection), `from_clip` clip coordinates as drawn (the CPU path's).
enum class Look { kDrawn, kTinted, kWhite, kTexel, kShade, kOutside };
void webgl_look(Look look);
void webgl_volume(const float from_eye[16], const float from_clip[16]);

// The explorer's questions of one pixel: every draw and clear from now on
// reaches only pixel (x, y); with `any_depth`, every fragment passes the
// depth test and writes no depth. Off again, GL's depth test as it was.
void webgl_probe(int x, int y, bool any_depth);
void webgl_probe_off();
// The probed pixel made black, for the next draw to show whether it got
// there; the clear colour stays.
void webgl_blank();
void webgl_read_pixel(int x, int y, unsigned char rgba[4]);

#endif
