// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// What the WebGL layer's files share of its contexts: which one is drawn
// to, and what follows a switch.
#ifndef WEB_WEBGL_CONTEXT_H
#define WEB_WEBGL_CONTEXT_H

// The context drawn to now, as a WebglCanvas's number.
int context_now();
// The bound texture and the unpack alignment, as last set, put into the
// context just made the one drawn to (textures.cpp).
void textures_follow();

#endif
