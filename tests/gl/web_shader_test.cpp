// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The browser layer's lighting shader, compiled by Mesa from the page's own
// source: one pixel of a lit triangle against light_vertex, the equation the
// layer's unit test works by hand.
#define GL_GLEXT_PROTOTYPES 1
#include "gl_support.h"
#include "web/gl/pipeline.h"
#include "web/webgl/shader.h"

#include <GL/glext.h>
#include <GL/glut.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

GLuint compile(GLenum type, const char *source) {
  const GLuint shader = glCreateShader(type);
  glShaderSource(shader, 1, &source, nullptr);
  glCompileShader(shader);
  GLint ok = 0;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  char log[1024] = "";
  glGetShaderInfoLog(shader, sizeof log, nullptr, log);
  EXPECT_TRUE(ok) << log;
  return shader;
}

// The model-view scales as roomtour's bed does and turns, so normals come out
// short and turned; the projection is the identity.
const Mat4 kModelview = mat_multiply(mat_rotate(30, 1, 1, 0), mat_scale(7, 4, 5));
const Mat4 kInverse =
    mat_multiply(mat_scale(1 / 7.0f, 1 / 4.0f, 1 / 5.0f), mat_rotate(-30, 1, 1, 0));

struct Case {
  const char *what;
  float normal[3];  // in object space
  Vec4 light_position;
  bool normalize;
};

// roomtour's light 0 comes from up, right and towards the viewer.
const Case kCases[] = {
    {"lit from the front, short normal", {0.2f, 0.3f, 1}, {6.5f, 8, 5, 0}, false},
    {"facing away: the ambient terms alone", {0, 0, -1}, {6.5f, 8, 5, 0}, false},
    {"long normal, clamped", {3, 4, 6}, {6.5f, 8, 5, 0}, false},
    {"a positional light", {0.5f, 0.5f, 1}, {1, 2, 3, 1}, false},
    {"under GL_NORMALIZE", {0.2f, 0.3f, 1}, {6.5f, 8, 5, 0}, true},
};

class WebShader : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { open_test_window(GLUT_DOUBLE | GLUT_RGB); }

  void SetUp() override {
    program_ = glCreateProgram();
    glAttachShader(program_, compile(GL_VERTEX_SHADER, kVertexShader));
    glAttachShader(program_, compile(GL_FRAGMENT_SHADER, kFragmentShader));
    for (GLuint a = 0; a < kAttributeCount; ++a) glBindAttribLocation(program_, a, kAttributeNames[a]);
    glLinkProgram(program_);
    GLint ok = 0;
    glGetProgramiv(program_, GL_LINK_STATUS, &ok);
    ASSERT_TRUE(ok);
    glUseProgram(program_);
    glViewport(0, 0, 500, 500);
    glDisable(GL_DEPTH_TEST);
  }

  void TearDown() override {
    glUseProgram(0);
    glDeleteProgram(program_);
  }

  GLint at(const char *name) const { return glGetUniformLocation(program_, name); }

  GLuint program_ = 0;
};

TEST_F(WebShader, LightsAPixelAsLightVertexDoes) {
  // roomtour's material, its diffuse colour tracked from the vertex colour.
  const Vec4 brown{0.5f, 0.25f, 0, 1};
  Material material{{1, 1, 1, 1}, brown, {0.1f, 0.1f, 0.1f, 1}, {0, 0, 0, 1}, 5};
  const Vec4 scene_ambient{0.2f, 0.2f, 0.2f, 1};
  float normals[9], columns[9];
  normal_matrix(kModelview, normals);
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column)
      columns[column * 3 + row] = normals[row * 3 + column];
  }
  glUniformMatrix4fv(at("modelview"), 1, GL_FALSE, kModelview.m);
  glUniformMatrix4fv(at("projection"), 1, GL_FALSE, mat_identity().m);
  glUniformMatrix3fv(at("normals"), 1, GL_FALSE, columns);
  glUniform1i(at("textured"), 0);
  glUniform4fv(at("emission"), 1, &material.emission.x);
  glUniform4fv(at("ambient"), 1, &material.ambient.x);
  glUniform4f(at("diffuse"), 0, 0, 0, 0);  // tracked: the colour gives it
  glUniform4fv(at("specular"), 1, &material.specular.x);
  glUniform1f(at("shininess"), material.shininess);
  glUniform4i(at("tracked"), 0, 0, 1, 0);
  glUniform4fv(at("scene_ambient"), 1, &scene_ambient.x);
  glUniform1i(at("light_count"), 2);
  // Light 1 adds its own ambient; its other colours are black.
  const float light_ambient[8] = {0, 0, 0, 1, 0.1f, 0.05f, 0, 1};
  const float light_diffuse[8] = {1, 1, 1, 1, 0, 0, 0, 1};
  glUniform4fv(at("light_ambient"), 2, light_ambient);
  glUniform4fv(at("light_diffuse"), 2, light_diffuse);
  glUniform4fv(at("light_specular"), 2, light_diffuse);

  // A triangle of a few pixels round the window's centre, at eye depth -0.5.
  const Vec4 eye{0, 0, -0.5f, 1};
  const float corners[3][2] = {{-0.02f, -0.02f}, {0.04f, -0.02f}, {-0.02f, 0.04f}};
  for (const Case &c : kCases) {
    SCOPED_TRACE(c.what);
    const float positions[8] = {c.light_position.x,
                                c.light_position.y,
                                c.light_position.z,
                                c.light_position.w,
                                6.5f,
                                0,
                                8,
                                0};
    glUniform4fv(at("light_position"), 2, positions);
    glUniform1i(at("normalize_normals"), c.normalize);
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glVertexAttrib4f(kColour, brown.x, brown.y, brown.z, brown.w);
    glVertexAttrib2f(kTexCoord, 0, 0);
    glVertexAttrib3fv(kNormal, c.normal);
    glBegin(GL_TRIANGLES);
    for (const auto &corner : corners) {
      const Vec4 p = mat_apply(kInverse, {eye.x + corner[0], eye.y + corner[1], eye.z, 1});
      glVertexAttrib4f(kPosition, p.x, p.y, p.z, 1);
    }
    glEnd();

    float n[3];
    eye_normal(normals, c.normal, c.normalize, n);
    const Light lights[2] = {
        {true, {0, 0, 0, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}, c.light_position},
        {true, {0.1f, 0.05f, 0, 1}, {0, 0, 0, 1}, {0, 0, 0, 1}, {6.5f, 0, 8, 0}}};
    const Vec4 want = light_vertex(material, lights, 2, scene_ambient, n, eye);
    const Rgb expected = {static_cast<int>(std::lround(want.x * 255)),
                          static_cast<int>(std::lround(want.y * 255)),
                          static_cast<int>(std::lround(want.z * 255))};
    const Rgb got = pixel_at(250, 250);
    EXPECT_TRUE(close_to(got, expected, 1)) << to_string(got) << " against " << to_string(expected);
    EXPECT_EQ(gl_errors(), "");
  }
}

}  // namespace
