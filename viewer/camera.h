// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The fly-through camera that both viewers share.
//
// The camera is five process-wide floats. Each program defines them with its
// own start pose; the routines here are the algorithms both programs run on
// them, with the step sizes each program passes in.
#ifndef VIEWER_CAMERA_H
#define VIEWER_CAMERA_H

extern float camera_x, camera_y, camera_z;
// Heading in radians: 0 looks towards -z, growing values turn left (towards -x).
extern float camera_theta;
// How far the look-at point lies below eye height, in world units (not an angle).
extern float camera_pitch;

// The double-precision angles the camera arithmetic and the words use.
constexpr double kPi = 3.141592653589793;
constexpr double kHalfPi = 1.5707963267948966;
constexpr double kTwoPi = 6.283185307179586;

// How far one key press moves, turns and tilts the camera.
struct CameraSteps {
  double move;
  double turn;
  double pitch;
};

// Applies one camera key, in either case: W S A D move in the horizontal
// plane, F V move up and down, J L turn, I K tilt. Returns false and changes
// nothing for any other key.
bool apply_camera_key(unsigned char key, CameraSteps steps);

void set_camera_pose(float x, float y, float z, float theta, float pitch);

// Eye and target of a view along the camera's heading.
struct LookAt {
  double eye[3];
  double target[3];
};

// How far ahead of the eye, in the horizontal plane, the camera looks.
constexpr double kLookDistance = 5;

// The view from a pose: the target lies kLookDistance ahead in the horizontal
// plane and `pitch` below eye height. With `truncate` the three offsets from
// the eye are cut to whole numbers towards zero first.
LookAt camera_look_at(float x, float y, float z, float theta, float pitch, bool truncate);

// Multiplies the current matrix by the view from the camera variables, up (0, 1, 0).
void look_from_camera(bool truncate);

#endif
