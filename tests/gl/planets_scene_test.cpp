// planets' rendered scene and the shared helpers, read back from GL.
#include "gl_support.h"
#include "planets/solar.h"
#include "viewer/camera.h"
#include "viewer/helpers.h"

#include <GL/glut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double kScale = 0.0169104;

class PlanetsScene : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    open_test_window(GLUT_DOUBLE | GLUT_RGB);
    init();
  }
  void SetUp() override {
    reshape(500, 500);
    reset_view();
    speed = 1;
    freeze_planets = 0;
    for (float *a : {&mercury_orbit_angle, &venus_orbit_angle, &earth_orbit_angle,
                     &mars_orbit_angle, &jupiter_orbit_angle, &saturn_orbit_angle,
                     &uranus_orbit_angle, &neptune_orbit_angle, &pluto_orbit_angle})
      *a = 0;
    gl_errors();
  }
};

// Pixels of a colour inside a box of window coordinates.
int count_colour(const Rgb &colour, int x0, int y0, int x1, int y1) {
  int n = 0;
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) n += close_to(pixel_at(x, y), colour, 2);
  return n;
}

TEST_F(PlanetsScene, InitLeavesFlatUnlitUntexturedDrawing) {
  GLint shade = 0;
  glGetIntegerv(GL_SHADE_MODEL, &shade);
  EXPECT_EQ(shade, GL_FLAT);
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  GLfloat clear[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  EXPECT_EQ(clear[0] + clear[1] + clear[2] + clear[3], 0);
  draw_frame();
  EXPECT_EQ(gl_errors(), "");
}

TEST_F(PlanetsScene, AxesCrossAtTheCentreInsideTheSunsWireFrame) {
  draw_frame();
  // The x axis is the middle row (249 or 250, as the rasteriser rounds), the
  // y axis the middle column; far from the bodies they show their colours.
  for (const int x : {30, 120, 470}) {
    EXPECT_TRUE(close_to(pixel_at(x, 250), {255, 0, 0}, 2) ||
                close_to(pixel_at(x, 249), {255, 0, 0}, 2))
        << x;
  }
  for (const int y : {30, 120, 400, 470}) {
    EXPECT_TRUE(close_to(pixel_at(250, y), {0, 255, 0}, 2) ||
                close_to(pixel_at(249, y), {0, 255, 0}, 2))
        << y;
  }
  // The Sun's outline: a sphere of radius r seen from distance d spans
  // 250 r / sqrt(d^2 - r^2) pixels from the centre. Walk out along the
  // upper left diagonal, where no planet is, to its last yellow pixel.
  const double r = 139 * kScale, d = 25;
  const double expected = 250 * r / std::sqrt(d * d - r * r);
  double last = 0;
  for (int k = 1; k < 60; ++k) {
    if (close_to(pixel_at(250 - k, 250 + k), {255, 255, 0}, 2)) last = k * std::sqrt(2.0);
  }
  EXPECT_NEAR(last, expected, 2.0) << "expected the outline at " << expected << " pixels";
}

struct Planet {
  const char *name;
  Rgb colour;
  double distance, radius;  // model units, before the scale
};

// The planets whose spheres are wide enough to show beside the x axis line.
const Planet kVisible[] = {
    {"Jupiter", {255, 128, 0}, 578.33, 152.984},
    {"Saturn", {51, 51, 51}, 729.4, 120.536},
    {"Uranus", {0, 0, 153}, 870.99, 51.118},
    {"Neptune", {0, 0, 255}, 1003.903, 49.532},
};

// Pixels of the planet's colour in the part of its disc that later bodies
// leave uncovered, just above the axis line, when it sits on the +x axis.
int on_axis(const Planet &p) {
  const double cx = 250 + 10 * p.distance * kScale, radius = 10 * p.radius * kScale;
  int x0 = static_cast<int>(cx - radius * 0.7), x1 = static_cast<int>(cx + radius * 0.7);
  if (std::string(p.name) == "Jupiter") x1 = static_cast<int>(cx);  // Saturn covers its right
  if (std::string(p.name) == "Saturn") x1 = static_cast<int>(cx + radius * 0.4);
  if (std::string(p.name) == "Uranus") x0 = static_cast<int>(cx);
  return count_colour(p.colour, x0, 253, x1, 253 + static_cast<int>(radius * 0.5));
}

TEST_F(PlanetsScene, FrozenPlanetsLineUpOnThePositiveXAxisAndJumpOnWhenFreed) {
  for (int i = 0; i < 300; ++i) rotate();  // all well off the axis
  draw_frame();
  for (const Planet &p : kVisible) EXPECT_EQ(on_axis(p), 0) << p.name << " moving";

  apply_menu(2);
  draw_frame();
  for (const Planet &p : kVisible) EXPECT_GT(on_axis(p), 5) << p.name << " frozen";
  // Mercury, red and tiny, sits on the axis itself at its own distance.
  EXPECT_GT(count_colour({255, 0, 0}, 276, 247, 278, 252), 0);

  for (int i = 0; i < 50; ++i) rotate();  // time goes on while frozen
  apply_menu(2);
  draw_frame();
  for (const Planet &p : kVisible) EXPECT_EQ(on_axis(p), 0) << p.name << " freed";
  EXPECT_EQ(gl_errors(), "");
}

TEST_F(PlanetsScene, NeptuneShowsTheSameFullBlueAsEarth) {
  apply_menu(2);
  draw_frame();
  EXPECT_GT(on_axis(kVisible[3]), 5);  // counted as exactly (0, 0, 255)
}

// GL feedback: what a routine hands to the rasteriser, in window coordinates
// under an orthographic view that maps world x, y straight to pixels
// (offset by 250) and world z to depth.
struct Primitive {
  GLfloat token;
  std::vector<std::array<float, 3>> vertices;
};

template <typename Draw>
std::vector<Primitive> feedback(Draw draw) {
  std::vector<GLfloat> buffer(1 << 20);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
  glRenderMode(GL_FEEDBACK);
  glViewport(0, 0, 500, 500);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-250, 250, -250, 250, -500, 500);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  draw();
  const GLint used = glRenderMode(GL_RENDER);
  std::vector<Primitive> out;
  for (GLint i = 0; i < used;) {
    Primitive p{buffer[i++], {}};
    int n = 0;
    if (p.token == GL_LINE_TOKEN || p.token == GL_LINE_RESET_TOKEN) n = 2;
    if (p.token == GL_POLYGON_TOKEN) n = static_cast<int>(buffer[i++]);
    for (int k = 0; k < n; ++k, i += 3)
      p.vertices.push_back({buffer[i], buffer[i + 1], buffer[i + 2]});
    out.push_back(p);
  }
  return out;
}

TEST_F(PlanetsScene, GridDrawsTwoNPlusOneLinesEachWay) {
  // Tipped up so the plane y = 0 faces the viewer: world z becomes -y.
  const auto lines = feedback([] {
    glScalef(100, 100, 100);
    glRotatef(90, 1, 0, 0);
    drawGrid(1, 1);
  });
  ASSERT_EQ(lines.size(), 6u);
  std::vector<float> along_z, along_x;
  for (const Primitive &l : lines) {
    const auto &a = l.vertices[0], &b = l.vertices[1];
    if (std::fabs(a[0] - b[0]) < 0.01f) along_z.push_back(a[0] - 250);
    if (std::fabs(a[1] - b[1]) < 0.01f) along_x.push_back(a[1] - 250);
  }
  EXPECT_EQ(along_z, (std::vector<float>{-100, 0, 100}));
  EXPECT_EQ(along_x.size(), 3u);
  EXPECT_EQ(feedback([] { drawGrid(3, 2); }).size(), 7u + 5u);
  for (const int n : {0, -1, -1000}) {
    EXPECT_TRUE(feedback([n] { drawGrid(n, n); }).empty()) << n;
    EXPECT_TRUE(feedback([n] { drawGrid(n, 4); }).empty()) << n;
    EXPECT_TRUE(feedback([n] { drawStairs(n); }).empty()) << n;
  }
  EXPECT_EQ(gl_errors(), "");
}

TEST_F(PlanetsScene, StairsTurnTwentyDegreesAndRiseOneUnitASlab) {
  const auto faces = feedback([] { drawStairs(19); });
  ASSERT_FALSE(faces.empty());
  ASSERT_EQ(faces.size() % 19, 0u);
  const std::size_t per_slab = faces.size() / 19;
  // The centre of slab k's vertices, back in world units.
  auto centre = [&](std::size_t k) {
    std::array<double, 3> lo{1e9, 1e9, 1e9}, hi{-1e9, -1e9, -1e9};
    for (std::size_t f = k * per_slab; f < (k + 1) * per_slab; ++f)
      for (const auto &v : faces[f].vertices) {
        const double world[3] = {v[0] - 250.0, v[1] - 250.0, 500.0 - v[2] * 1000.0};
        for (int i = 0; i < 3; ++i) {
          lo[i] = std::min(lo[i], world[i]);
          hi[i] = std::max(hi[i], world[i]);
        }
      }
    return std::array<double, 3>{(lo[0] + hi[0]) / 2, (lo[1] + hi[1]) / 2, (lo[2] + hi[2]) / 2};
  };
  const double pi = 3.141592653589793;
  for (const std::size_t k : {0u, 1u, 9u, 17u, 18u}) {
    const double a = (k % 18) * 20 * pi / 180;  // the nineteenth is back at 0
    const auto c = centre(k);
    EXPECT_NEAR(c[0], 3 * std::cos(a), 1e-3) << "slab " << k + 1;
    EXPECT_NEAR(c[1], static_cast<double>(k), 1e-3) << "slab " << k + 1;
    EXPECT_NEAR(c[2], -3 * std::sin(a), 1e-3) << "slab " << k + 1;
  }
}

}  // namespace
