// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// What the benchmark programs share: a GLUT window (run them under Xvfb), the
// empty frame every scene frame is measured beside, and the run itself.
#ifndef BENCH_SUPPORT_H
#define BENCH_SUPPORT_H

#include "viewer/frame.h"

#include <GL/glut.h>
#include <benchmark/benchmark.h>

inline void open_bench_window(int *argc, char **argv, unsigned int mode) {
  open_window(argc, argv, mode, "bench");
}

// Clear and swap: what every frame costs before it draws anything.
inline void BM_EmptyFrame(benchmark::State &state) {
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glutSwapBuffers();
    glFinish();
  }
}

inline int run_benchmarks(int *argc, char **argv) {
  benchmark::Initialize(argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

#endif
