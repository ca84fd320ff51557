// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// What the camera sees, in words.
//
// Each program says what is in its view as a short text, from its own
// tables and its camera, projected as the picture is: the look-at of the
// camera variables and the fixed frustum (viewer/frame.h, out to the
// program's far plane). The arithmetic both share is here; each program
// defines describe_view.
#ifndef VIEWER_SIGHT_H
#define VIEWER_SIGHT_H

#include "viewer/camera.h"

#include <string>
#include <vector>

struct Vec3 {
  double x, y, z;
};

// The eye's frame as gluLookAt builds it, up (0, 1, 0).
struct Sight {
  Vec3 eye;
  Vec3 side, up, forward;  // unit vectors; forward points along the view
  double far_plane;
  bool valid;  // false when the view runs straight up or down
};

Sight sight_of(const LookAt &view, double far_plane);
// The camera variables' view, truncated as the program draws it or not.
Sight camera_sight(bool truncate, double far_plane);

// A point as the picture has it: x and y from -1 (left, bottom) to 1 (right,
// top) when it is in view, its depth along the view, and its distance.
struct PicturePoint {
  double x, y, depth, distance;
  bool in_view;  // inside the frustum, near and far planes included
};

PicturePoint picture_point(const Sight &sight, Vec3 point);

// A sphere (a planet) against the frustum.
enum class SphereSight { kInView, kBeyondFarPlane, kOutside };
SphereSight sphere_sight(const Sight &sight, Vec3 centre, double radius);

// An axis-aligned box, by its corners.
struct Aabb {
  Vec3 lo, hi;
};

// Whether the way from the eye to `point` passes through a face of one of
// the boxes first: a point on a box's face that looks towards the eye is not
// hidden by its own box, one on the far side is.
bool hidden(Vec3 eye, Vec3 point, const std::vector<Aabb> &boxes);

// Where a place on the picture lies: "left", "ahead" or "right", and "up" or
// "down" away from the middle third.
std::string picture_place(double x, double y);
// A length to one decimal, without a trailing ".0".
std::string round_words(double value);

// The words, as pieces of text in reading order. A piece that names an
// object in view carries the object's name in lower case; the situation piece
// is what a menu choice's result is said with.
struct WordPiece {
  std::string object;  // "" for plain text, "=" for the situation
  std::string text;
};
using ViewWords = std::vector<WordPiece>;

// Where a point lies against the view volume: inside it, behind the eye,
// or past one of its planes (the one it lies farthest past), by so much
// (world units).
enum class VolumeSide { kInside, kBehindEye, kNear, kFar, kLeft, kRight, kBottom, kTop };
struct VolumePlace {
  VolumeSide side;
  double by;
};
VolumePlace volume_place(const Sight &sight, Vec3 point);

// A named thing of the scene as the view volume cuts it: inside where any
// of its points (within `radius` of them) is, else where the point nearest
// to the volume lies.
struct VolumeThing {
  std::string name;  // as a sentence starts: "The bookshelf", "Pluto"
  std::vector<Vec3> points;
  double radius;
};
// The camera from outside in words: the eye and its look, the volume at the
// near and the far plane, against a window of width x height, and each
// thing inside or outside it.
std::string volume_words(const Sight &sight, const std::vector<VolumeThing> &things, int width,
                         int height);
// The program's own, for whatever shows the outside view; each program
// defines it. The text stays valid until the next call.
extern "C" const char *outside_words(int width, int height);

// The program's view in words, from its state; each program defines it.
ViewWords describe_view();

// The program's view in words for whatever shows it: a line a piece, the
// object's name (or "" or "="), a tab, then the text. The text stays valid
// until the next call.
extern "C" const char *view_words();

#endif
