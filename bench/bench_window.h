// A GLUT window for benchmarks that need a GL context (run under Xvfb).
#ifndef BENCH_WINDOW_H
#define BENCH_WINDOW_H

#include <GL/glut.h>

inline void open_bench_window(int *argc, char **argv, unsigned int mode) {
  glutInit(argc, argv);
  glutInitDisplayMode(mode);
  glutInitWindowSize(500, 500);
  glutCreateWindow("bench");
}

#endif
