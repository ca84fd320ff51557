// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// roomtour's view in words: where the eye stands in the room, which way it
// faces, and each piece of furniture, window and door a person would see,
// with where it lies in the picture. Every piece is boxes (the fan's blades
// turned with the fan) or flat pictures; a piece is seen where a point of its
// surface lies in the frustum with no box, and no wall, on the way to it.
#include "roomtour/placements.h"
#include "roomtour/room.h"
#include "roomtour/shapes.h"
#include "viewer/camera.h"
#include "viewer/sight.h"

#include <cmath>
#include <iterator>
#include <string>
#include <vector>

namespace {

// Each piece's name, in Model's order.
const char *const kPieceNames[] = {"bookshelf", "fan",      "desk", "computer",
                                   "monitor",   "keyboard", "bed"};
static_assert(std::size(kPieceNames) == kModelCount, "a name for each piece");

// Closer than this (world units) a piece is near, else far.
constexpr double kNear = 5;
// Within this of a wall the eye stands by it.
constexpr double kByWall = 2;
// Points a side of a box or a picture is sampled at, as fractions of it.
constexpr double kAlong[] = {0.05, 0.35, 0.65, 0.95};

struct Thing {
  std::string name;
  std::vector<Vec3> points;
};

Vec3 at(const Placement &p, float x, float y, float z) {
  return {p.x + p.scale_x * x, p.y + p.scale_y * y, p.z + p.scale_z * z};
}

Aabb box_in_room(const Placement &p, const Box &b) {
  const Vec3 a = at(p, b.x - b.width / 2, b.y - b.height / 2, b.z - b.depth / 2);
  const Vec3 c = at(p, b.x + b.width / 2, b.y + b.height / 2, b.z + b.depth / 2);
  return {{std::fmin(a.x, c.x), std::fmin(a.y, c.y), std::fmin(a.z, c.z)},
          {std::fmax(a.x, c.x), std::fmax(a.y, c.y), std::fmax(a.z, c.z)}};
}

// A grid of points on each of a box's six sides.
void add_box_points(const Aabb &box, std::vector<Vec3> *points) {
  const double lo[3] = {box.lo.x, box.lo.y, box.lo.z}, hi[3] = {box.hi.x, box.hi.y, box.hi.z};
  for (int axis = 0; axis < 3; ++axis) {
    const int u = (axis + 1) % 3, v = (axis + 2) % 3;
    for (double side : {lo[axis], hi[axis]}) {
      for (double a : kAlong) {
        for (double b : kAlong) {
          double p[3];
          p[axis] = side;
          p[u] = lo[u] + a * (hi[u] - lo[u]);
          p[v] = lo[v] + b * (hi[v] - lo[v]);
          points->push_back({p[0], p[1], p[2]});
        }
      }
    }
  }
}

// A grid of points over a picture, its corners taken in the given units.
void add_quad_points(const Quad &q, const Placement *p, std::vector<Vec3> *points) {
  for (double a : kAlong) {
    for (double b : kAlong) {
      double v[3];
      for (int k = 0; k < 3; ++k) {
        const double near_edge = q.vertex[0][k] + a * (q.vertex[1][k] - q.vertex[0][k]);
        const double far_edge = q.vertex[3][k] + a * (q.vertex[2][k] - q.vertex[3][k]);
        v[k] = near_edge + b * (far_edge - near_edge);
      }
      points->push_back(
          p ? at(*p, static_cast<float>(v[0]), static_cast<float>(v[1]), static_cast<float>(v[2]))
            : Vec3{v[0], v[1], v[2]});
    }
  }
}

// The fan's hub, and its blades turned as drawFan turns them.
void add_fan_points(const Placement &p, std::vector<Vec3> *points) {
  const Vec3 hub = at(p, 0, 0, 0);
  const double r = kFanHubRadius;
  for (Vec3 d : {Vec3{1, 0, 0}, Vec3{-1, 0, 0}, Vec3{0, 1, 0}, Vec3{0, -1, 0}, Vec3{0, 0, 1},
                 Vec3{0, 0, -1}}) {
    points->push_back({hub.x + r * d.x, hub.y + r * d.y, hub.z + r * d.z});
  }
  const double half_width = kFanBlade.width / 2, half_depth = kFanBlade.depth / 2;
  for (int k = 0; k < kFanBlades; ++k) {
    const double turn = fan_blade_angle(k) * kPi / 180;
    for (double a : kAlong) {
      for (double b : kAlong) {
        // A point of the blade in the fan's units, then turned about y.
        const double x = kFanBladeOffset - half_width + a * kFanBlade.width;
        const double z = -half_depth + b * kFanBlade.depth;
        for (double y : {-kFanBlade.height / 2.0, kFanBlade.height / 2.0}) {
          points->push_back({hub.x + std::cos(turn) * x + std::sin(turn) * z, hub.y + y,
                             hub.z - std::sin(turn) * x + std::cos(turn) * z});
        }
      }
    }
  }
}

// Every box that hides what lies behind it: the furniture's (the fan's thin
// blades hide nothing whole), and the room itself, whose walls hide
// everything inside from an eye outside.
std::vector<Aabb> room_boxes() {
  std::vector<Aabb> boxes;
  for (const Placement &p : kFurniture) {
    if (p.model == kFanModel) continue;
    for (const Box &b : model_boxes(p.model)) boxes.push_back(box_in_room(p, b));
  }
  boxes.push_back({{0, 0, 0}, {kRoomSize[0], kRoomSize[1], kRoomSize[2]}});
  return boxes;
}

std::vector<Thing> things() {
  std::vector<Thing> all;
  for (const Placement &p : kFurniture) {
    Thing thing{kPieceNames[p.model], {}};
    if (p.model == kFanModel) {
      add_fan_points(p, &thing.points);
    } else {
      for (const Box &b : model_boxes(p.model)) add_box_points(box_in_room(p, b), &thing.points);
    }
    if (p.model == kBedModel) add_quad_points(kQuiltTop, &p, &thing.points);
    all.push_back(thing);
  }
  Thing window{"window", {}};
  add_quad_points(kBackWindow, nullptr, &window.points);
  add_quad_points(kLeftWindow, nullptr, &window.points);
  all.push_back(window);
  Thing door{"door", {}};
  add_quad_points(kDoor, nullptr, &door.points);
  all.push_back(door);
  return all;
}

// Where the eye stands, in the room's own terms.
std::string where_words() {
  const double x = camera_x, y = camera_y, z = camera_z;
  std::vector<std::string> behind;
  if (z < 0) behind.push_back("behind the back wall");
  if (z > kRoomSize[2]) behind.push_back("behind the front wall");
  if (x < 0) behind.push_back("behind the left wall");
  if (x > kRoomSize[0]) behind.push_back("behind the right wall");
  if (y < 0) behind.push_back("below the floor");
  if (y > kRoomSize[1]) behind.push_back("above the ceiling");
  std::string where;
  if (!behind.empty()) {
    where = "You are outside the room, " + behind[0];
    for (std::size_t i = 1; i < behind.size(); ++i) {
      where += (i + 1 == behind.size() ? " and " : ", ") + behind[i];
    }
  } else {
    const char *across = x < kByWall ? "left" : x > kRoomSize[0] - kByWall ? "right" : nullptr;
    const char *along = z < kByWall ? "back" : z > kRoomSize[2] - kByWall ? "front" : nullptr;
    if (across && along) {
      where = std::string("You stand in the ") + along + " " + across + " corner";
    } else if (across || along) {
      where = std::string("You stand by the ") + (across ? across : along) + " wall";
    } else {
      where = "You stand in the middle of the room";
    }
  }
  return where + ", " + round_words(y) + " units above the floor";
}

// Which way the eye faces: a wall or a corner, and how it tilts.
std::string facing_words() {
  static const char *const kFacing[] = {
      "the back wall",  "the back left corner",   "the left wall",  "the front left corner",
      "the front wall", "the front right corner", "the right wall", "the back right corner"};
  const double turn =
      std::fmod(std::fmod(static_cast<double>(camera_theta), kTwoPi) + kTwoPi, kTwoPi);
  const int eighth = static_cast<int>(std::lround(turn / (kTwoPi / 8))) % 8;
  const double tilt = std::atan2(static_cast<double>(camera_pitch), kLookDistance) * 180 / kPi;
  const char *look = std::fabs(tilt) < 10 ? "looking level"
                     : tilt >= 40         ? "looking steeply down"
                     : tilt > 0           ? "looking down"
                     : tilt <= -40        ? "looking steeply up"
                                          : "looking up";
  return std::string(", facing ") + kFacing[eighth] + ", " + look + ".";
}

}  // namespace

ViewWords describe_view() {
  const Sight sight = camera_sight(false, kRoomFarPlane);
  const std::vector<Aabb> boxes = room_boxes();
  ViewWords words{{"=", where_words() + facing_words()}};
  int seen = 0;
  for (const Thing &thing : things()) {
    double x = 0, y = 0, nearest = INFINITY;
    int visible = 0;
    for (const Vec3 &point : thing.points) {
      const PicturePoint p = picture_point(sight, point);
      if (!p.in_view || hidden(sight.eye, point, boxes)) continue;
      x += p.x;
      y += p.y;
      nearest = std::fmin(nearest, p.distance);
      ++visible;
    }
    if (visible == 0) continue;
    words.push_back({"", seen++ == 0 ? " In view: " : "; "});
    words.push_back({thing.name, "the " + thing.name + ", " +
                                     picture_place(x / visible, y / visible) +
                                     (nearest < kNear ? ", near" : ", far")});
  }
  words.push_back(
      {"", seen ? "." : " Nothing of the furniture, the windows or the door is in view."});
  return words;
}

// The room's things and walls against the view volume, for the outside view.
const char *outside_words(int width, int height) {
  static const char *const kWalls[] = {"floor",      "ceiling",   "back wall",
                                       "front wall", "left wall", "right wall"};
  static_assert(std::size(kWalls) == std::size(kRoomFaces), "a name for each face of the room");
  std::vector<VolumeThing> all;
  for (const Thing &thing : things()) all.push_back({"The " + thing.name, thing.points, 0});
  for (std::size_t k = 0; k < std::size(kRoomFaces); ++k) {
    VolumeThing wall{std::string("The ") + kWalls[k], {}, 0};
    // Points across the face, as the furniture's sides are sampled.
    const float(*v)[3] = kRoomFaces[k].vertex;
    for (double a : kAlong) {
      for (double b : kAlong) {
        Vec3 p{};
        double *xyz[3] = {&p.x, &p.y, &p.z};
        for (int i = 0; i < 3; ++i) {
          *xyz[i] = kRoomSize[i] * ((1 - a) * (1 - b) * v[0][i] + (1 - a) * b * v[1][i] +
                                    a * b * v[2][i] + a * (1 - b) * v[3][i]);
        }
        wall.points.push_back(p);
      }
    }
    all.push_back(wall);
  }
  static std::string text;
  text = volume_words(camera_sight(false, kRoomFarPlane), all, width, height);
  return text.c_str();
}
