// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// roomtour: a walk through a furnished room 13 wide (x), 8 high (y) and
// 10 deep (z), textured from ten TGA images under ./img/.
//
// Everything of the program but main lives in the roomtour_scene library, so
// that tests drive the same callbacks the program registers.
#ifndef ROOMTOUR_ROOM_H
#define ROOMTOUR_ROOM_H

#include "viewer/frame.h"

// The texture names of the room's pictures, bound directly (never generated).
// Name 0 is GL's default texture object, which therefore holds the carpet.
enum RoomTexture {
  kCarpetTexture = 0,
  kRockTexture = 1,
  kClosetTexture = 2,
  kBookshelfTexture = 3,
  kQuiltTexture = 4,
  kBackWindowTexture = 5,
  kLeftWindowTexture = 6,
  kCeilingTexture = 7,
  kDesktopTexture = 8,
  kDoorTexture = 9,
};

// The frustum's far plane; its near plane is 1.
inline constexpr double kRoomFarPlane = 80;

// Step sizes of the camera keys, changed with [ ] { }.
extern float move_speed;
extern float turn_speed;

// The ceiling fan's blade angle in degrees, kept in [0, 360).
extern float fan_angle;
// The fan's blades, a quarter turn apart: blade `blade`'s turn about y in
// degrees, as drawFan turns it and the words see it.
inline constexpr int kFanBlades = 4;
double fan_blade_angle(int blade);

extern const MenuEntry room_menu[];
extern const int room_menu_count;

// One-time GL state: lights, material, depth test, and the ten textures.
void init();

// GLUT callbacks.
void display();
void reshape(int width, int height);
void keypress(unsigned char key, int x, int y);
void menuFunction(int value);
void rotate_fan();

// The frame without the buffer swap and the next redisplay request.
void draw_frame();
// What a menu entry does to the program's state (menuFunction adds the redisplay).
void apply_menu(int value);
// The pose "Reset view" returns to: the floor at the left wall, looking along -z.
void reset_view();

// The two passes of a frame: lit, coloured furniture, then the textured room.
void drawFurniture();
void drawTexturedSurfaces();

// Furniture models in their own units, drawn at the current transform in the
// current colour.
void drawBookshelf();
void drawDesk();
void drawComputer();
void drawMonitor();
void drawKeyboard();
void drawBed();
void drawFan();

// Textured quads, each binding its own texture.
void drawWalls();
void drawWindow();
void drawDoor();
void drawBookshelfTexture();
void drawMonitorImage();
void drawQuilt();

#endif
