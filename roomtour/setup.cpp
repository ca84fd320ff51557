// roomtour's one-time GL state.
#include "roomtour/room.h"

void init() {}
