// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// Where each piece of roomtour's furniture stands, and its colour: one table
// for the furniture pass and for the pictures laid on the furniture.
#ifndef ROOMTOUR_PLACEMENTS_H
#define ROOMTOUR_PLACEMENTS_H

#include <iterator>

enum Model {
  kBookshelfModel,
  kFanModel,
  kDeskModel,
  kComputerModel,
  kMonitorModel,
  kKeyboardModel,
  kBedModel,
  kModelCount
};

struct Placement {
  float r, g, b;
  float x, y, z;
  float scale_x, scale_y, scale_z;
  Model model;
};

// One row per piece, in drawing order and in the order of Model, so that
// kFurniture[model] is that piece's row.
inline constexpr Placement kFurniture[] = {
    {1, 0, 0, 8, 0, 0, 1, 1, 1, kBookshelfModel},               // red, against the back wall
    {1, 1, 1, 6.5f, 8, 5, 1, 1, 1, kFanModel},                  // white, centre of the ceiling
    {0, 0, 1, 3, 0, 7, 1, 1, 1, kDeskModel},                    // blue, against the front wall
    {0, 0, 0, 6.9f, 0, 7, 2, 2, 2, kComputerModel},             // black, under the desk
    {0.2f, 0.2f, 0.2f, 4.5f, 3.5f, 9, 2, 2, 2, kMonitorModel},  // grey, on the desk
    {1, 1, 1, 4.5f, 3.01f, 7.1f, 1, 1, 1, kKeyboardModel},      // white, on the desk
    {0.5f, 0.25f, 0, 0, 0, 0, 7, 4, 5, kBedModel},              // brown, in the corner
};

constexpr bool rows_follow_models() {
  for (int i = 0; i < kModelCount; ++i) {
    if (kFurniture[i].model != i) return false;
  }
  return std::size(kFurniture) == kModelCount;
}
static_assert(rows_follow_models(), "kFurniture must hold one row per Model, in Model's order");

// Applies a row's translation and then its scale to the current matrix, each
// only where it changes something: a zero translation (the bed) or a unit
// scale is not issued.
void place(const Placement &p);

#endif
