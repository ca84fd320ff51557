// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// What the page draws at most, for GLUT's spheres and the explorer's edits.
#ifndef WEB_GL_LIMITS_H
#define WEB_GL_LIMITS_H

// The finest sphere the page draws; a finer one is drawn at these. A solid
// sphere is 6 x slices x (stacks - 1) points, kept on the CPU and on the GPU
// (24 bytes each side): at 128 x 128, 97 536 points, 2.2 MiB a side. Across
// the near plane the CPU path lights and cuts every point each frame: 12 ms
// for those in headless Chromium on two cores, within a frame; 42 ms at 256.
constexpr int kMaxSphereSlices = 128;
constexpr int kMaxSphereStacks = 128;

#endif
