// The treasure hunter every player is drawn as: pith helmet, shirt in the
// player's colour, a shovel at its side.
#pragma once

#include "paint.h"

// Draws the hunter standing on the line y = base, centred on x = cx, u
// pixels to a unit (the figure is 20 units tall). cheering raises the free
// arm.
void draw_hunter(CANVAS *c, double cx, double base, double u, RGB8 colour, int cheering);
