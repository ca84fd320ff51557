// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// Small drawing routines of the viewer frame. Each draws at the current
// transform and leaves the matrix as it found it.
#ifndef VIEWER_HELPERS_H
#define VIEWER_HELPERS_H

// The three axes from -100 to 100: x red, y green, z blue. Leaves the
// current colour blue.
void drawAxis();

// A grid in the plane y = 0 over -1..1: 2 xLines + 1 lines along z and
// 2 zLines + 1 along x. Draws nothing unless both counts are above 0.
void drawGrid(int xLines, int zLines);

// A spiral of `steps` thin slabs round the y axis, 20 degrees and 1 unit up
// from one to the next, each 3 units out. Draws nothing for 0 or fewer.
void drawStairs(int steps);

#endif
