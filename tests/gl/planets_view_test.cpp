// planets' view and projection, read back from GL.
#include "gl_support.h"
#include "planets/solar.h"
#include "viewer/camera.h"

#include <GL/glu.h>
#include <GL/glut.h>
#include <gtest/gtest.h>

#include <cmath>

namespace {

class PlanetsView : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { open_test_window(GLUT_DOUBLE | GLUT_RGB); }
  void SetUp() override {
    reset_view();
    reshape(500, 500);
    gl_errors();
  }
};

void view_matrix(double m[16]) {
  glLoadIdentity();
  look_from_camera(true);
  glGetDoublev(GL_MODELVIEW_MATRIX, m);
}

TEST_F(PlanetsView, LookAtFollowsTheHeadingInWholeUnitSteps) {
  double straight[16], turned[16];
  view_matrix(straight);
  set_camera_pose(0, 0, 25, 0.2f, 0);  // offsets 0.99 and 4.90 truncate to 0 and 4
  view_matrix(turned);
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(turned[i], straight[i], 1e-12) << i;
  EXPECT_NEAR(straight[0], 1, 1e-12);
  EXPECT_NEAR(straight[10], 1, 1e-12);
  EXPECT_NEAR(straight[14], -25, 1e-12);

  // At 0.7 rad the offsets are 3.22 and 3.82, taken as 3 and 3: 45 degrees.
  set_camera_pose(2, 1, 9, 0.7f, 2.6f);
  view_matrix(turned);
  double want[16];
  glLoadIdentity();
  gluLookAt(2, 1, 9, 2 - 3, 1 - 2, 9 - 3, 0, 1, 0);
  glGetDoublev(GL_MODELVIEW_MATRIX, want);
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(turned[i], want[i], 1e-12) << i;
  EXPECT_EQ(gl_errors(), "");
}

TEST_F(PlanetsView, ReshapeSetsTheFrustumToFortyUnits) {
  reshape(800, 400);
  double m[16];
  glGetDoublev(GL_PROJECTION_MATRIX, m);
  EXPECT_DOUBLE_EQ(m[0], 1);
  EXPECT_DOUBLE_EQ(m[5], 1);
  EXPECT_NEAR(m[10], -41.0 / 39.0, 1e-6);
  EXPECT_NEAR(m[14], -80.0 / 39.0, 1e-6);
  reshape(500, 0);
  GLint view[4];
  glGetIntegerv(GL_VIEWPORT, view);
  EXPECT_EQ(view[3], 0);
  EXPECT_EQ(gl_errors(), "");
}

TEST_F(PlanetsView, FrameLeavesTheMatrixStackAsItFoundIt) {
  GLint before = 0, after = 0;
  glLoadIdentity();
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &before);
  draw_frame();
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &after);
  EXPECT_EQ(before, after);
  EXPECT_EQ(gl_errors(), "");
}

}  // namespace
