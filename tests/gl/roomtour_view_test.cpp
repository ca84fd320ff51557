// roomtour's view and projection, read back from GL.
#include "gl_support.h"
#include "roomtour/room.h"
#include "viewer/camera.h"

#include <GL/glu.h>
#include <GL/glut.h>
#include <gtest/gtest.h>

#include <cmath>

namespace {

class RoomView : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { open_test_window(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH); }
  void SetUp() override {
    reshape(500, 500);
    gl_errors();
  }
};

void modelview(double m[16]) { glGetDoublev(GL_MODELVIEW_MATRIX, m); }

TEST_F(RoomView, LookAtEqualsGluLookAtOfTheTargetFiveUnitsAhead) {
  const struct {
    float x, y, z, theta, pitch;
  } poses[] = {
      {6.5f, 4, 5, 0, 0}, {1, 2, 3, 0.7f, 1.5f}, {0, 0, 5, -2.9f, -40}, {3, 1, 8, 3.3f, 0.25f}};
  for (const auto &p : poses) {
    set_camera_pose(p.x, p.y, p.z, p.theta, p.pitch);
    glLoadIdentity();
    look_from_camera(false);
    double got[16];
    modelview(got);

    const double th = p.theta;
    glLoadIdentity();
    gluLookAt(p.x, p.y, p.z, p.x - 5 * std::sin(th), p.y - p.pitch, p.z - 5 * std::cos(th), 0, 1,
              0);
    double want[16];
    modelview(want);
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(got[i], want[i], 1e-6) << "element " << i;

    // The eye lands at the origin and the heading points down -z in eye space.
    const double ex = got[0] * p.x + got[4] * p.y + got[8] * p.z + got[12];
    const double ez = got[2] * p.x + got[6] * p.y + got[10] * p.z + got[14];
    EXPECT_NEAR(ex, 0, 1e-5);
    EXPECT_NEAR(ez, 0, 1e-5);
  }
  EXPECT_EQ(gl_errors(), "");
}

TEST_F(RoomView, ReshapeKeepsTheFixedFrustumWhateverTheAspect) {
  for (const auto &size : {std::array<int, 2>{800, 400}, {500, 500}, {500, 0}, {1, 1}}) {
    glMatrixMode(GL_TEXTURE);  // reshape must come back to the model-view matrix
    reshape(size[0], size[1]);
    GLint mode = 0, view[4] = {};
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    glGetIntegerv(GL_VIEWPORT, view);
    EXPECT_EQ(mode, GL_MODELVIEW);
    EXPECT_EQ(view[2], size[0]);
    EXPECT_EQ(view[3], size[1]);

    double m[16];
    glGetDoublev(GL_PROJECTION_MATRIX, m);
    const double n = 1, f = 80;
    EXPECT_DOUBLE_EQ(m[0], 1);  // 2n / (right - left): no aspect correction
    EXPECT_DOUBLE_EQ(m[5], 1);
    EXPECT_NEAR(m[10], -(f + n) / (f - n), 1e-6);
    EXPECT_NEAR(m[14], -2 * f * n / (f - n), 1e-6);
    EXPECT_DOUBLE_EQ(m[11], -1);

    GLfloat range[2];
    glGetFloatv(GL_DEPTH_RANGE, range);
    EXPECT_EQ(range[0], 0.0f);
    EXPECT_EQ(range[1], 1.0f);
    EXPECT_EQ(gl_errors(), "") << size[0] << " x " << size[1];
  }
}

}  // namespace
