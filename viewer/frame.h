// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// Window, menu and projection set-up that both viewers share.
#ifndef VIEWER_FRAME_H
#define VIEWER_FRAME_H

// One entry of the right-button pop-up menu.
struct MenuEntry {
  const char *label;
  int value;
};

// glutInit with the command line, the display mode, a 500 x 500 window at
// (100, 100) and its title: the first four steps of every start-up.
void open_window(int *argc, char **argv, unsigned int display_mode, const char *title);

// Creates the pop-up menu with the entries in order and attaches it to the
// right mouse button.
void attach_menu(void (*callback)(int), const MenuEntry *entries, int count);

// The fixed frustum every view is drawn with, whatever the window's aspect:
// its sides at the near plane, and the near plane. Its far plane is each
// program's own.
inline constexpr double kFrustumLeft = -1, kFrustumRight = 1;
inline constexpr double kFrustumBottom = -1, kFrustumTop = 1;
inline constexpr double kFrustumNear = 1;

// Viewport over the whole window and the fixed frustum out to `far_plane`;
// leaves the model-view matrix selected.
void set_projection(int width, int height, double far_plane);

#endif
