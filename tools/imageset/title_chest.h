// The open treasure chest of the title picture, shared with the icon
// painter so the game's icon is always the treasure of its title.
#pragma once

#include "paint.h"

// An open chest heaped with gold, lid corner at (x, y), s times its plain
// size (56 x 42), with sparkles above.
void draw_chest(CANVAS *c, double x, double y, double s);
