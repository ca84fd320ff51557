// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// Draws a viewer's animation frame by frame and writes each frame as a binary
// PPM, so that a loop made of them is exact: every frame lies the same number
// of idle steps after the one before, however fast the machine. Built once
// per viewer (record_roomtour, record_planets) against its scene; run it on
// an X display (Xvfb) from the project folder, since roomtour reads ./img/.
//
//   record_<viewer> OUT_PREFIX FRAMES STEPS_PER_FRAME [KEYS [MENU_VALUE...]]
//
// KEYS are typed once before the first frame, then the menu entries of the
// given values are chosen; frames go to OUT_PREFIX000.ppm on.
// The camera after the keys is printed, each number to the float, as
// "x y z theta pitch".
#include "viewer/camera.h"
#include "viewer/frame.h"

#include <GL/glut.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

// The scene this copy of the tool is built against.
void init();
void reshape(int width, int height);
void keypress(unsigned char key, int x, int y);
void menuFunction(int value);
void draw_frame();
void VIEWER_IDLE();

namespace {

constexpr int kSide = 500;

bool write_frame(const std::string &path) {
  std::vector<unsigned char> rgb(kSide * kSide * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, kSide, kSide, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  std::FILE *f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  std::fprintf(f, "P6\n%d %d\n255\n", kSide, kSide);
  // GL's rows run bottom to top, a picture's top to bottom.
  bool ok = true;
  for (int row = kSide - 1; row >= 0 && ok; --row) {
    ok = std::fwrite(&rgb[row * kSide * 3], 1, kSide * 3, f) == kSide * 3;
  }
  return std::fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char **argv) {
  open_window(&argc, argv, GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH, "record");
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s OUT_PREFIX FRAMES STEPS_PER_FRAME [KEYS [MENU_VALUE...]]\n",
                 argv[0]);
    return 2;
  }
  const std::string prefix = argv[1];
  const int frames = std::atoi(argv[2]);
  const int steps = std::atoi(argv[3]);
  init();
  reshape(kSide, kSide);
  for (const char *key = argc > 4 ? argv[4] : ""; *key; ++key) {
    keypress(static_cast<unsigned char>(*key), 0, 0);
  }
  for (int i = 5; i < argc; ++i) menuFunction(std::atoi(argv[i]));
  std::printf("%.9g %.9g %.9g %.9g %.9g\n", camera_x, camera_y, camera_z, camera_theta,
              camera_pitch);
  for (int frame = 0; frame < frames; ++frame) {
    draw_frame();
    char name[16];
    std::snprintf(name, sizeof name, "%03d.ppm", frame);
    if (!write_frame(prefix + name)) {
      std::perror((prefix + name).c_str());
      return 1;
    }
    for (int i = 0; i < steps; ++i) VIEWER_IDLE();
  }
  return 0;
}
