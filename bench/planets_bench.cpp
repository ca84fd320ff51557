// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// planets: one frame beside an empty one.
#include "bench_support.h"
#include "planets/solar.h"

#include <benchmark/benchmark.h>

namespace {

// display() without its request for the next frame, and the orbit step that
// runs between two frames.
void BM_PlanetsFrame(benchmark::State &state) {
  for (auto _ : state) {
    draw_frame();
    glutSwapBuffers();
    glFinish();
    rotate();
  }
}

BENCHMARK(BM_EmptyFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlanetsFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char **argv) {
  open_bench_window(&argc, argv, GLUT_DOUBLE | GLUT_RGB);
  init();
  reshape(500, 500);
  return run_benchmarks(&argc, argv);
}
