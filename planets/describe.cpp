// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// planets' view in words: where the Sun is, which planets are in view and
// where, which lie beyond the far plane or outside the view, and whether the
// planets run, at what speed. Each body is a sphere where the frame draws it:
// turned by its orbit angle (not while frozen), then moved out along x.
#include "planets/bodies.h"
#include "planets/solar.h"
#include "viewer/camera.h"
#include "viewer/sight.h"

#include <cctype>
#include <cmath>
#include <string>
#include <vector>

namespace {

Vec3 centre_of(const Body &body) {
  const double angle = body.angle && freeze_planets == 0 ? *body.angle * kPi / 180 : 0;
  const double out = body.distance * 0.001 * kSceneScale;
  return {out * std::cos(angle), 0, -out * std::sin(angle)};
}

std::string lower(std::string name) {
  for (char &c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name;
}

// "Mercury", "Mercury and Venus", "Mercury, Venus and Earth".
std::string listed(const std::vector<std::string> &names) {
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) {
    text += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
  }
  return text;
}

// Where a body out of view lies from the eye.
std::string direction_of(const Sight &sight, Vec3 centre) {
  const Vec3 d{centre.x - sight.eye.x, centre.y - sight.eye.y, centre.z - sight.eye.z};
  const double across = d.x * sight.side.x + d.y * sight.side.y + d.z * sight.side.z;
  const double up = d.x * sight.up.x + d.y * sight.up.y + d.z * sight.up.z;
  const double depth = d.x * sight.forward.x + d.y * sight.forward.y + d.z * sight.forward.z;
  if (depth < 0 && -depth >= std::fmax(std::fabs(across), std::fabs(up))) return "behind you";
  if (std::fabs(across) >= std::fabs(up)) return across < 0 ? "to your left" : "to your right";
  return up > 0 ? "above you" : "below you";
}

std::string speed_words() {
  char text[32];
  std::snprintf(text, sizeof text, "%g", static_cast<double>(speed));
  return std::string("speed \xC3\x97") + text;
}

}  // namespace

ViewWords describe_view() {
  const Sight sight = camera_sight(true, kPlanetsFarPlane);
  ViewWords words;
  std::vector<std::string> beyond, outside;
  int seen = 0;
  for (const Body &body : kBodies) {
    const Vec3 centre = centre_of(body);
    const double radius = body.radius * kSceneScale;
    const SphereSight where = sphere_sight(sight, centre, radius);
    const bool sun = body.angle == nullptr;
    if (where == SphereSight::kInView) {
      const PicturePoint p = picture_point(sight, centre);
      // A sphere whose centre is out of the picture shows at its edge.
      const double x = std::fmax(-1, std::fmin(1, p.in_view || p.depth > 0 ? p.x : 0));
      const double y = std::fmax(-1, std::fmin(1, p.in_view || p.depth > 0 ? p.y : 0));
      const std::string place =
          picture_place(x, y) + ", " + round_words(p.distance) + " units away";
      if (sun) {
        words.push_back({"sun", "The Sun is " + place + "."});
      } else {
        words.push_back({"", seen++ == 0 ? " In view: " : "; "});
        words.push_back({lower(body.name), std::string(body.name) + ", " + place});
      }
    } else if (sun) {
      words.push_back({"", "The Sun is out of view, " + direction_of(sight, centre) + "."});
    } else {
      (where == SphereSight::kBeyondFarPlane ? beyond : outside).push_back(body.name);
    }
  }
  words.push_back({"", seen ? "." : " No planet is in view."});
  if (!beyond.empty()) words.push_back({"", " Beyond the far plane: " + listed(beyond) + "."});
  if (!outside.empty()) words.push_back({"", " Outside the view: " + listed(outside) + "."});
  words.push_back({"=", freeze_planets ? " The planets are frozen in a line along the x axis, at " +
                                             speed_words() + "."
                                       : " The planets are running, at " + speed_words() + "."});
  return words;
}

// The Sun and the planets against the view volume, for the outside view.
const char *outside_words(int width, int height) {
  std::vector<VolumeThing> all;
  for (const Body &body : kBodies) {
    all.push_back({std::string(body.angle ? "" : "The ") + body.name,
                   {centre_of(body)},
                   body.radius * kSceneScale});
  }
  static std::string text;
  text = volume_words(camera_sight(true, kPlanetsFarPlane), all, width, height);
  return text.c_str();
}
