// roomtour's textured room shell and pictures.
#include "roomtour/room.h"

void drawTexturedSurfaces() {}
