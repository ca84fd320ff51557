// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The images roomtour reads from ./img/ (as <name>.tga), indexed by the
// texture name each one fills.
#ifndef TESTS_UNIT_ROOM_IMAGE_NAMES_H
#define TESTS_UNIT_ROOM_IMAGE_NAMES_H

constexpr const char *kRoomImages[] = {"carpet",   "b2_rock",  "closet",  "bookshelf", "quilt",
                                       "officebk", "officert", "greenup", "comp_desk", "door"};

#endif
