// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// What makes roomtour's view: the camera, its steps and the fan.
#include "roomtour/room.h"
#include "viewer/camera.h"
#include "viewer/view.h"

const ViewField view_fields[] = {
    {"x", &camera_x, nullptr},         {"y", &camera_y, nullptr},
    {"z", &camera_z, nullptr},         {"theta", &camera_theta, nullptr},
    {"pitch", &camera_pitch, nullptr}, {"move", &move_speed, nullptr},
    {"turn", &turn_speed, nullptr},    {"fan", &fan_angle, nullptr},
};
const int view_field_count = sizeof view_fields / sizeof view_fields[0];
