// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The layer's shaders, as text for WebGL.
#include "web/webgl/shader.h"

#include "web/webgl/webgl.h"

// The light count, as text in the shader.
#define STRING(x) #x
#define NUMBER(x) STRING(x)

const char *const kAttributeNames[kAttributeCount] = {"position", "normal", "colour", "st"};

// The lighting is light_vertex's (gl/pipeline.cpp), term for term: the viewer
// at infinity, no spot and no attenuation, the specular term only where the
// light reaches the front. Terms that GL_COLOR_MATERIAL tracks come from the
// vertex colour.
const char *const kVertexShader = "#version 100\n#define MAX_LIGHTS " NUMBER(WEB_MAX_LIGHTS) R"(
attribute vec4 position;
attribute vec3 normal;
attribute vec4 colour;
attribute vec2 st;
uniform mat4 modelview;
uniform mat4 projection;
uniform mat3 normals;
uniform bool normalize_normals;
uniform vec4 emission;
uniform vec4 ambient;
uniform vec4 diffuse;
uniform vec4 specular;
uniform float shininess;
uniform bvec4 tracked;  // emission, ambient, diffuse, specular
uniform vec4 scene_ambient;
uniform int light_count;
uniform vec4 light_ambient[MAX_LIGHTS];
uniform vec4 light_diffuse[MAX_LIGHTS];
uniform vec4 light_specular[MAX_LIGHTS];
uniform vec4 light_position[MAX_LIGHTS];
varying vec4 v_colour;
varying vec2 v_st;
#ifdef LOOKS
uniform mat4 volume;  // to the program's clip coordinates
varying vec4 v_volume;
#endif

vec3 unit(vec3 v) {
  float l = length(v);
  return l > 0.0 ? v / l : v;
}

vec4 lit(vec4 eye) {
  vec4 e = tracked.x ? colour : emission;
  vec4 a = tracked.y ? colour : ambient;
  vec4 d = tracked.z ? colour : diffuse;
  vec4 s = tracked.w ? colour : specular;
  vec3 n = normals * normal;
  if (normalize_normals) n = unit(n);
  vec3 c = e.rgb + a.rgb * scene_ambient.rgb;
  for (int i = 0; i < MAX_LIGHTS; ++i) {
    if (i >= light_count) break;
    vec4 p = light_position[i];
    vec3 vp = p.w != 0.0 ? p.xyz / p.w - eye.xyz / eye.w : p.xyz;
    vp = unit(vp);
    c += a.rgb * light_ambient[i].rgb;
    float n_dot_vp = dot(n, vp);
    if (n_dot_vp <= 0.0) continue;
    vec3 h = unit(vp + vec3(0.0, 0.0, 1.0));
    float n_dot_h = max(0.0, dot(n, h));
    float shine = n_dot_h > 0.0 ? pow(n_dot_h, shininess) : 0.0;
    c += n_dot_vp * d.rgb * light_diffuse[i].rgb + shine * s.rgb * light_specular[i].rgb;
  }
  return vec4(c, d.a);
}

void main() {
  vec4 eye = modelview * position;
  gl_Position = projection * eye;
  v_colour = clamp(lit(eye), 0.0, 1.0);
  v_st = st;
#ifdef LOOKS
  v_volume = volume * eye;
#endif
}
)";

const char *const kFragmentShader = R"(#version 100
precision highp float;
uniform bool textured;
uniform sampler2D picture;
varying vec4 v_colour;
varying vec2 v_st;
void main() {
  gl_FragColor = textured ? texture2D(picture, v_st) * v_colour : v_colour;
}
)";

// The looks are webgl.h's Look, by number.
const char *const kExplorerFragmentShader = R"(#version 100
precision highp float;
uniform bool textured;
uniform int look;
uniform sampler2D picture;
varying vec4 v_colour;
varying vec2 v_st;
varying vec4 v_volume;
void main() {
  vec4 t = textured ? texture2D(picture, v_st) : vec4(1.0);
  vec4 c = t * v_colour;
  if (look == 1) c = mix(c, vec4(1.0, 0.0, 1.0, 1.0), 0.43);
  if (look == 2) c = vec4(1.0);
  if (look == 3) c = t;
  if (look == 4) c = v_colour;
  if (look == 5 && any(greaterThan(abs(v_volume.xyz), vec3(v_volume.w)))) c.rgb = mix(c.rgb, vec3(0.5), 0.7);
  gl_FragColor = c;
}
)";

const char *const kPlainVertexShader = R"(#version 100
attribute vec4 position;
attribute vec4 colour;
attribute vec2 st;
uniform mat4 modelview;
uniform mat4 projection;
varying vec4 v_colour;
varying vec2 v_st;
#ifdef LOOKS
uniform mat4 volume;
varying vec4 v_volume;
#endif
void main() {
  vec4 eye = modelview * position;
  gl_Position = projection * eye;
  v_colour = clamp(colour, 0.0, 1.0);
  v_st = st;
#ifdef LOOKS
  v_volume = volume * eye;
#endif
}
)";

const char *const kClipVertexShader = R"(#version 100
attribute vec4 position;
attribute vec4 colour;
attribute vec2 st;
varying vec4 v_colour;
varying vec2 v_st;
#ifdef LOOKS
uniform mat4 volume;
varying vec4 v_volume;
#endif
void main() {
  gl_Position = position;
  v_colour = colour;
  v_st = st;
#ifdef LOOKS
  v_volume = volume * position;
#endif
}
)";
