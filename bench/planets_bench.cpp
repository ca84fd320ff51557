// planets: one frame beside an empty one.
#include "bench_window.h"
#include "planets/solar.h"

#include <benchmark/benchmark.h>

namespace {

void BM_EmptyFrame(benchmark::State &state) {
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glutSwapBuffers();
    glFinish();
  }
}

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
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
