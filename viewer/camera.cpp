// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
#include "viewer/camera.h"

#include <GL/glu.h>

#include <cctype>
#include <cmath>

namespace {

// Moves the eye by `step` along the horizontal direction `angle`: z first,
// then x, both from the same angle.
void move_along(double angle, double step) {
  camera_z = static_cast<float>(camera_z + std::cos(angle) * step);
  camera_x = static_cast<float>(camera_x + std::sin(angle) * step);
}

// A heading that reaches a full turn starts again at 0; the excess is dropped.
// Below 0 there is no wrap.
void turn_by(double step) {
  camera_theta = static_cast<float>(camera_theta + step);
  if (camera_theta >= kTwoPi) {
    camera_theta = 0;
  }
}

}  // namespace

bool apply_camera_key(unsigned char key, CameraSteps steps) {
  const double theta = camera_theta;
  const double s = steps.move;
  switch (std::tolower(key)) {
    case 'w': move_along(theta, -s); break;
    case 's': move_along(theta, s); break;
    case 'a': move_along(theta - kHalfPi, s); break;
    case 'd': move_along(theta + kHalfPi, s); break;
    case 'f': camera_y = static_cast<float>(camera_y + s); break;
    case 'v': camera_y = static_cast<float>(camera_y - s); break;
    case 'j': turn_by(steps.turn); break;
    case 'l': turn_by(-steps.turn); break;
    case 'i': camera_pitch = static_cast<float>(camera_pitch + steps.pitch); break;
    case 'k': camera_pitch = static_cast<float>(camera_pitch - steps.pitch); break;
    default: return false;
  }
  return true;
}

void set_camera_pose(float x, float y, float z, float theta, float pitch) {
  camera_x = x;
  camera_y = y;
  camera_z = z;
  camera_theta = theta;
  camera_pitch = pitch;
}

LookAt camera_look_at(float x, float y, float z, float theta, float pitch, bool truncate) {
  double dx = kLookDistance * std::sin(static_cast<double>(theta));
  double dy = pitch;
  double dz = kLookDistance * std::cos(static_cast<double>(theta));
  if (truncate) {
    dx = std::trunc(dx);
    dy = std::trunc(dy);
    dz = std::trunc(dz);
  }
  return LookAt{{x, y, z}, {x - dx, y - dy, z - dz}};
}

void look_from_camera(bool truncate) {
  const LookAt v =
      camera_look_at(camera_x, camera_y, camera_z, camera_theta, camera_pitch, truncate);
  gluLookAt(v.eye[0], v.eye[1], v.eye[2], v.target[0], v.target[1], v.target[2], 0, 1, 0);
}
