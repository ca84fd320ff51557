// planets' bodies and their orbits.
#include "planets/solar.h"

void drawSolarSystem() {}

void rotate() {}
