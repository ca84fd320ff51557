// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// roomtour: one frame beside an empty one, and start-up beside reading its
// ten images. Runs from the project folder, where ./img is.
#include "bench_support.h"
#include "roomtour/room.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

namespace {

const char *const kImages[] = {"./img/carpet.tga",    "./img/b2_rock.tga", "./img/closet.tga",
                               "./img/bookshelf.tga", "./img/quilt.tga",   "./img/officebk.tga",
                               "./img/officert.tga",  "./img/greenup.tga", "./img/comp_desk.tga",
                               "./img/door.tga"};

// display() without its request for the next frame.
void BM_RoomFrame(benchmark::State &state) {
  for (auto _ : state) {
    draw_frame();
    glutSwapBuffers();
    glFinish();
    rotate_fan();
  }
}

void BM_ReadTenImages(benchmark::State &state) {
  std::vector<unsigned char> bytes(1 << 20);
  for (auto _ : state) {
    for (const char *path : kImages) {
      std::FILE *f = std::fopen(path, "rb");
      benchmark::DoNotOptimize(std::fread(bytes.data(), 1, bytes.size(), f));
      std::fclose(f);
    }
  }
}

// The whole set-up: GL state and the ten texture loads.
void BM_RoomInit(benchmark::State &state) {
  for (auto _ : state) {
    init();
    glFinish();
  }
}

BENCHMARK(BM_EmptyFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RoomFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadTenImages)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RoomInit)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char **argv) {
  if (chdir(VIEWER_SOURCE_DIR) != 0) return 1;
  open_bench_window(&argc, argv, GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
  init();
  reshape(500, 500);
  return run_benchmarks(&argc, argv);
}
