// roomtour's furniture and ceiling fan.
#include "roomtour/room.h"

float fan_angle = 0;

void drawFurniture() {}

void rotate_fan() {}
