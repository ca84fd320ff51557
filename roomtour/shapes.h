// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// roomtour's pieces as data: each furniture model's boxes in its own units,
// and the pictures laid on walls and furniture. The two passes draw them, and
// the view's words see the same boxes and pictures.
#ifndef ROOMTOUR_SHAPES_H
#define ROOMTOUR_SHAPES_H

#include "roomtour/placements.h"
#include "roomtour/room.h"

#include <iterator>

// A box: centre and size, in the model's own units.
struct Box {
  float x, y, z;
  float width, height, depth;
};

inline constexpr Box kBookshelf[] = {
    {1.5f, 1.5f, 0.5f, 3, 3, 1},
};
inline constexpr Box kDesk[] = {
    {0.1f, 1.5f, 1.5f, 0.2f, 3, 3},  // left leg panel
    {4.9f, 1.5f, 1.5f, 0.2f, 3, 3},  // right leg panel
    {2.5f, 3, 1.5f, 5, 0.2f, 3},     // top
};
inline constexpr Box kComputer[] = {
    {0.25f, 0.4f, 0.5f, 0.5f, 1, 1},
};
inline constexpr Box kMonitor[] = {
    {0.5f, 0.5f, 0.125f, 1, 0.75f, 0.25f},  // body
    {0.5f, 0, 0.375f, 0.25f, 1.5f, 0.25f},  // stand
};
inline constexpr Box kKeyboard[] = {
    {1, 0.1f, 0.25f, 2, 0.2f, 0.5f},
};
inline constexpr Box kBed[] = {
    {0.95f, 0.25f, 0.5f, 0.1f, 0.5f, 1},  // foot board
    {0.05f, 0.5f, 0.5f, 0.1f, 1, 1},      // head board
    {0.5f, 0.25f, 0.05f, 1, 0.5f, 0.1f},  // side boards
    {0.5f, 0.25f, 0.95f, 1, 0.5f, 0.1f},
};

// A model's boxes, as a range; the fan has none.
struct Boxes {
  const Box *first;
  std::size_t count;
  const Box *begin() const { return first; }
  const Box *end() const { return first + count; }
};

template <std::size_t N>
constexpr Boxes boxes_of(const Box (&boxes)[N]) {
  return {boxes, N};
}

constexpr Boxes model_boxes(Model model) {
  switch (model) {
    case kBookshelfModel: return boxes_of(kBookshelf);
    case kDeskModel: return boxes_of(kDesk);
    case kComputerModel: return boxes_of(kComputer);
    case kMonitorModel: return boxes_of(kMonitor);
    case kKeyboardModel: return boxes_of(kKeyboard);
    case kBedModel: return boxes_of(kBed);
    default: return {nullptr, 0};
  }
}

// The fan: a hub of this radius, and four blades, each the unit cube moved
// out along x and scaled, a quarter turn apart about y from fan_angle.
inline constexpr float kFanHubRadius = 1;
inline constexpr float kFanBladeOffset = 0.5f;
inline constexpr Box kFanBlade = {0, 0, 0, 4, 0.4f, 1};

struct Quad {
  RoomTexture texture;
  float vertex[4][3];
};

// The room is the unit cube's inside, scaled to these sizes (x, y, z).
inline constexpr float kRoomSize[3] = {13, 8, 10};

// The inside of the unit cube; the pass scales it to the room.
inline constexpr Quad kRoomFaces[] = {
    {kCarpetTexture, {{0, 0, 0}, {0, 0, 1}, {1, 0, 1}, {1, 0, 0}}},   // floor
    {kCeilingTexture, {{0, 1, 0}, {0, 1, 1}, {1, 1, 1}, {1, 1, 0}}},  // ceiling
    {kRockTexture, {{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}}},     // back wall, z = 0
    {kRockTexture, {{0, 0, 1}, {0, 1, 1}, {1, 1, 1}, {1, 0, 1}}},     // front wall, z = 1
    {kRockTexture, {{0, 0, 0}, {0, 1, 0}, {0, 1, 1}, {0, 0, 1}}},     // left wall, x = 0
    {kClosetTexture, {{1, 0, 0}, {1, 1, 0}, {1, 1, 1}, {1, 0, 1}}},   // right wall, x = 1
};

// Pictures, in the units they are drawn in (those on furniture in their
// piece's own units); the 0.01 offsets keep each just off the surface behind
// it.
inline constexpr Quad kBackWindow = {
    kBackWindowTexture, {{8, 4, 0.01f}, {8, 7, 0.01f}, {11, 7, 0.01f}, {11, 4, 0.01f}}};
inline constexpr Quad kLeftWindow = {kLeftWindowTexture,
                                     {{0.01f, 4, 4}, {0.01f, 7, 4}, {0.01f, 7, 1}, {0.01f, 4, 1}}};
inline constexpr Quad kDoor = {
    kDoorTexture, {{9, 0.01f, 9.99f}, {9, 7, 9.99f}, {12, 7, 9.99f}, {12, 0.01f, 9.99f}}};
inline constexpr Quad kBookshelfFront = {
    kBookshelfTexture, {{0, 0, 1.01f}, {0, 3, 1.01f}, {3, 3, 1.01f}, {3, 0, 1.01f}}};
inline constexpr Quad kMonitorScreen = {
    kDesktopTexture,
    {{0.9f, 0.2f, -0.01f}, {0.9f, 0.8f, -0.01f}, {0.1f, 0.8f, -0.01f}, {0.1f, 0.2f, -0.01f}}};
inline constexpr Quad kQuiltTop = {kQuiltTexture,
                                   {{0, 0.51f, 0}, {1, 0.51f, 0}, {1, 0.51f, 1}, {0, 0.51f, 1}}};

#endif
