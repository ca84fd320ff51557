// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// What makes planets' view: the camera, the speed, the freeze and the orbits.
#include "planets/solar.h"
#include "viewer/camera.h"
#include "viewer/view.h"

const ViewField view_fields[] = {
    {"x", &camera_x, nullptr},
    {"y", &camera_y, nullptr},
    {"z", &camera_z, nullptr},
    {"theta", &camera_theta, nullptr},
    {"pitch", &camera_pitch, nullptr},
    {"speed", &speed, nullptr},
    {"frozen", nullptr, &freeze_planets},
    {"mercury", &mercury_orbit_angle, nullptr},
    {"venus", &venus_orbit_angle, nullptr},
    {"earth", &earth_orbit_angle, nullptr},
    {"mars", &mars_orbit_angle, nullptr},
    {"jupiter", &jupiter_orbit_angle, nullptr},
    {"saturn", &saturn_orbit_angle, nullptr},
    {"uranus", &uranus_orbit_angle, nullptr},
    {"neptune", &neptune_orbit_angle, nullptr},
    {"pluto", &pluto_orbit_angle, nullptr},
};
const int view_field_count = sizeof view_fields / sizeof view_fields[0];
