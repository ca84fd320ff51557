// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// Points through the camera and the fixed frustum, rays against boxes, and
// the words both programs build their views from.
#include "viewer/sight.h"

#include "viewer/frame.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

Vec3 minus(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
double dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 cross(Vec3 a, Vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double length(Vec3 a) { return std::sqrt(dot(a, a)); }
Vec3 unit(Vec3 a) {
  const double l = length(a);
  return {a.x / l, a.y / l, a.z / l};
}

// The picture's x and y are the frustum's, scaled to -1..1, about its middle.
static_assert(kFrustumLeft == -kFrustumRight && kFrustumBottom == -kFrustumTop,
              "the frustum is centred on the view");

// A point this close to the frustum's sides still counts as in view.
constexpr double kEdge = 1e-9;
// Along the way to a point, a face crossed closer than this to the point
// is the point's own face.
constexpr double kOwnFace = 1e-4;

}  // namespace

Sight sight_of(const LookAt &view, double far_plane) {
  const Vec3 eye{view.eye[0], view.eye[1], view.eye[2]};
  const Vec3 target{view.target[0], view.target[1], view.target[2]};
  const Vec3 forward = unit(minus(target, eye));
  const Vec3 side = cross(forward, Vec3{0, 1, 0});
  Sight sight{eye, {0, 0, 0}, {0, 0, 0}, forward, far_plane, length(side) > 1e-12};
  if (sight.valid) {
    sight.side = unit(side);
    sight.up = cross(sight.side, forward);
  }
  return sight;
}

Sight camera_sight(bool truncate, double far_plane) {
  return sight_of(
      camera_look_at(camera_x, camera_y, camera_z, camera_theta, camera_pitch, truncate),
      far_plane);
}

PicturePoint picture_point(const Sight &sight, Vec3 point) {
  const Vec3 d = minus(point, sight.eye);
  const double across = dot(d, sight.side), up = dot(d, sight.up), depth = dot(d, sight.forward);
  PicturePoint p{0, 0, depth, length(d), false};
  if (!sight.valid || depth <= 0) return p;
  p.x = across / depth * (kFrustumNear / kFrustumRight);
  p.y = up / depth * (kFrustumNear / kFrustumTop);
  p.in_view = depth >= kFrustumNear - kEdge && depth <= sight.far_plane + kEdge &&
              std::fabs(p.x) <= 1 + kEdge && std::fabs(p.y) <= 1 + kEdge;
  return p;
}

// A side of the frustum is the plane |across| * near = right * depth (top
// for up), so the centre lies (|across| * near - right * depth) / |(near,
// right)| outside it.
SphereSight sphere_sight(const Sight &sight, Vec3 centre, double radius) {
  if (!sight.valid) return SphereSight::kOutside;
  const Vec3 d = minus(centre, sight.eye);
  const double across = dot(d, sight.side), up = dot(d, sight.up), depth = dot(d, sight.forward);
  const double n = kFrustumNear, r = kFrustumRight, t = kFrustumTop;
  const bool within_sides =
      std::fabs(across) * n - r * depth <= radius * std::sqrt(n * n + r * r) &&
      std::fabs(up) * n - t * depth <= radius * std::sqrt(n * n + t * t) && depth + radius >= n;
  if (!within_sides) return SphereSight::kOutside;
  return depth - radius > sight.far_plane ? SphereSight::kBeyondFarPlane : SphereSight::kInView;
}

// The slab method: where the segment enters and leaves each box. The face it
// crosses first (entering, or leaving when the eye is inside the box) hides
// the point if it comes before the point.
bool hidden(Vec3 eye, Vec3 point, const std::vector<Aabb> &boxes) {
  const Vec3 d = minus(point, eye);
  const double limit = 1 - kOwnFace / std::max(length(d), kOwnFace);
  const double from[3] = {eye.x, eye.y, eye.z}, way[3] = {d.x, d.y, d.z};
  for (const Aabb &box : boxes) {
    const double lo[3] = {box.lo.x, box.lo.y, box.lo.z}, hi[3] = {box.hi.x, box.hi.y, box.hi.z};
    double enter = -INFINITY, leave = INFINITY;
    for (int k = 0; k < 3; ++k) {
      if (way[k] == 0) {
        if (from[k] < lo[k] || from[k] > hi[k]) enter = INFINITY;
        continue;
      }
      double a = (lo[k] - from[k]) / way[k], b = (hi[k] - from[k]) / way[k];
      if (a > b) std::swap(a, b);
      enter = std::max(enter, a);
      leave = std::min(leave, b);
    }
    if (enter > leave) continue;
    const double crossed = enter > 0 ? enter : leave;
    if (crossed > 0 && crossed < limit) return true;
  }
  return false;
}

std::string picture_place(double x, double y) {
  std::string place = x < -1.0 / 3 ? "left" : x > 1.0 / 3 ? "right" : "ahead";
  if (y > 1.0 / 3) place += " and up";
  if (y < -1.0 / 3) place += " and down";
  return place;
}

std::string round_words(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  std::string s = text;
  if (s.size() > 2 && s.compare(s.size() - 2, 2, ".0") == 0) s.erase(s.size() - 2);
  return s == "-0" ? "0" : s;
}

VolumePlace volume_place(const Sight &sight, Vec3 point) {
  const Vec3 d = minus(point, sight.eye);
  const double across = dot(d, sight.side), up = dot(d, sight.up), depth = dot(d, sight.forward);
  if (depth <= 0) return {VolumeSide::kBehindEye, -depth};
  const double n = kFrustumNear, r = kFrustumRight, t = kFrustumTop;
  const double side = std::sqrt(n * n + r * r), top = std::sqrt(n * n + t * t);
  const VolumePlace past[] = {{VolumeSide::kNear, n - depth},
                              {VolumeSide::kFar, depth - sight.far_plane},
                              {VolumeSide::kLeft, (-across * n - r * depth) / side},
                              {VolumeSide::kRight, (across * n - r * depth) / side},
                              {VolumeSide::kBottom, (-up * n - t * depth) / top},
                              {VolumeSide::kTop, (up * n - t * depth) / top}};
  VolumePlace farthest{VolumeSide::kInside, 0};
  for (const VolumePlace &p : past) {
    if (p.by > farthest.by) farthest = p;
  }
  return farthest;
}

std::string volume_words(const Sight &sight, const std::vector<VolumeThing> &things, int width,
                         int height) {
  auto point = [](Vec3 v) {
    return "(" + round_words(v.x) + ", " + round_words(v.y) + ", " + round_words(v.z) + ")";
  };
  auto across = [](double at) {
    return round_words((kFrustumRight - kFrustumLeft) * at / kFrustumNear) + " \xC3\x97 " +
           round_words((kFrustumTop - kFrustumBottom) * at / kFrustumNear);
  };
  auto units = [](double value) {
    const std::string text = round_words(value);
    return text + (text == "1" ? " unit" : " units");
  };
  std::string text = "The eye is at " + point(sight.eye) + ", looking along " +
                     point(sight.forward) + ". The view volume is " + across(kFrustumNear) +
                     " at the near plane, " + units(kFrustumNear) + " ahead, and " +
                     across(sight.far_plane) + " at the far plane, " + units(sight.far_plane) +
                     " ahead. ";
  const std::string window = std::to_string(width) + " \xC3\x97 " + std::to_string(height);
  if (width == height || width <= 0 || height <= 0) {
    text += "The window is " + window + ", square as the volume is.";
  } else {
    text += "The window is " + window + ", but the volume does not follow it: the same " +
            across(kFrustumNear) + " fills it, stretched " +
            round_words(width > height ? 1.0 * width / height : 1.0 * height / width) +
            (width > height ? " times across." : " times up.");
  }
  static const char *const kPlanes[] = {"",     "behind the eye", "near",   "far",
                                        "left", "right",          "bottom", "top"};
  std::string inside, outside;
  int count = 0;
  for (const VolumeThing &thing : things) {
    VolumePlace nearest{VolumeSide::kBehindEye, INFINITY};
    for (const Vec3 &p : thing.points) {
      VolumePlace place = volume_place(sight, p);
      place.by -= thing.radius;
      if (place.by <= 0) place.side = VolumeSide::kInside;
      if (place.side == VolumeSide::kInside || place.by < nearest.by) nearest = place;
      if (place.side == VolumeSide::kInside) break;
    }
    if (nearest.side == VolumeSide::kInside) {
      std::string name = thing.name;
      if (name.rfind("The ", 0) == 0) name[0] = 't';
      inside += (count++ ? ", " : "") + name;
    } else if (nearest.side == VolumeSide::kBehindEye) {
      outside += " " + thing.name + " lies behind the eye.";
    } else {
      outside += " " + thing.name + " lies beyond the " + kPlanes[static_cast<int>(nearest.side)] +
                 " plane, " + units(nearest.by) + " past it.";
    }
  }
  text += count ? " Inside the volume: " + inside + "." : " Nothing lies inside the volume.";
  return text + outside;
}

const char *view_words() {
  static std::string lines;
  lines.clear();
  for (const WordPiece &piece : describe_view()) lines += piece.object + "\t" + piece.text + "\n";
  return lines.c_str();
}
